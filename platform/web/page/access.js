// The page's accessible mirror of the program's windows, for screen readers: hidden DOM kept in
// step with the window tree. Each top-level window is a dialog named by its title (the one the
// keyboard talks to is modal), buttons are buttons with their texts, enabled and pressed
// states, labels are polite live regions (their new texts are announced), the menu bar is a
// menubar with its items, and the program's focused control is the document's focused
// element. Clicking a mirrored control (as a screen reader does) clicks it in the program.
// The canvases stay what sighted players see; the mirror shows nothing.
'use strict';

window.quillmereAccess = (() => {
    /* numbers */

    // In the page's main landmark, after its heading; the script runs once the page is parsed.
    const mirror = document.createElement('div');
    mirror.className = 'offscreen';
    document.getElementById('desktop').appendChild(mirror);
    // "window-item" -> {role, node: [window, item], element, target (what is clicked and
    // focused), inner (what holds the children)}
    const nodes = new Map();
    let program = null;   // {deliver, text}, once the program runs
    let focusing = false;    // the mirror itself moves the focus

    const keyOf = (window, item) => `${window}-${item}`;

    function make(role, key) {
        const record = {role, inner : null};
        switch (role) {
        case AccessRole.Button:
            record.element = document.createElement('button');
            record.element.type = 'button';
            break;
        case AccessRole.Text:
            record.element = document.createElement('input');
            record.element.readOnly = true;
            break;
        case AccessRole.MenuBar:
            record.element = document.createElement('div');
            record.element.setAttribute('role', 'menubar');
            break;
        case AccessRole.Menu:
            // The bar item, and beside it the drop-down that holds its entries.
            record.element = document.createElement('div');
            record.element.setAttribute('role', 'none');
            record.item = document.createElement('div');
            record.item.setAttribute('role', 'menuitem');
            record.item.setAttribute('aria-haspopup', 'menu');
            record.item.tabIndex = -1;
            record.inner = document.createElement('div');
            record.inner.setAttribute('role', 'menu');
            record.element.append(record.item, record.inner);
            break;
        case AccessRole.MenuItem:
            record.element = document.createElement('div');
            record.element.setAttribute('role', 'menuitem');
            record.element.tabIndex = -1;
            break;
        case AccessRole.Label:
            record.element = document.createElement('div');
            record.element.setAttribute('aria-live', 'polite');
            record.element.setAttribute('aria-atomic', 'true');
            break;
        default:
            record.element = document.createElement('div');
            record.element.setAttribute('role', 'dialog');
        }
        record.element.id = `quillmere-${key}`;
        record.target = record.item || record.element;
        record.target.addEventListener('click', () => {
            if (record.target.getAttribute('aria-disabled') !== 'true')
                program.deliver((exports) => exports.webAccessActivate(...record.node));
        });
        record.target.addEventListener('focus', () => {
            if (!focusing)
                program.deliver((exports) => exports.webAccessFocus(...record.node));
        });
        return record;
    }

    function show(record, name, states, label, description) {
        const {element, target} = record;
        element.hidden = !(states & AccessShowing);
        switch (record.role) {
        case AccessRole.Frame:
        case AccessRole.Dialog:
            element.setAttribute('aria-label', name);
            if (description && nodes.has(description))
                element.setAttribute('aria-describedby', nodes.get(description).element.id);
            if (states & AccessModal)
                element.setAttribute('aria-modal', 'true');
            else
                element.removeAttribute('aria-modal');
            return;
        case AccessRole.Text:
            element.value = name;
            element.setAttribute('aria-label', name);
            return;
        case AccessRole.MenuBar:
            return;
        case AccessRole.Menu:
            record.item.setAttribute('aria-expanded', String((states & AccessExpanded) !== 0));
            record.inner.setAttribute('aria-label', name);
            record.inner.hidden = !(states & AccessExpanded);
            break;
        }
        if (label && nodes.has(label)) {
            target.setAttribute('aria-labelledby', nodes.get(label).element.id);
            target.textContent = '';
        } else if (target.textContent !== name) {
            target.textContent = name;
        }
        if (record.role !== AccessRole.Label) {
            target.setAttribute('aria-disabled', String((states & AccessEnabled) === 0));
            if (states & AccessPressed)
                target.setAttribute('aria-pressed', 'true');
            else
                target.removeAttribute('aria-pressed');
        }
        if ((states & AccessFocused) && document.activeElement !== target) {
            focusing = true;
            target.focus({preventScroll : true});
            focusing = false;
        }
    }

    const imports = {
        web_access_node(window, item, parentWindow, parentItem, index, role, states, namePointer,
                        nameLength, labelWindow, labelItem, describingWindow, describingItem) {
            const key = keyOf(window, item);
            const name = program.text(namePointer, nameLength);
            let record = nodes.get(key);
            if (!record || record.role !== role) {
                if (record)
                    record.element.remove();
                record = make(role, key);
                record.node = [ window, item ];
                nodes.set(key, record);
            }
            const parent = parentWindow ? nodes.get(keyOf(parentWindow, parentItem)) : null;
            const container = parent ? parent.inner || parent.element : mirror;
            if (container.children[index] !== record.element)
                container.insertBefore(record.element, container.children[index] || null);
            show(record, name, states, labelWindow ? keyOf(labelWindow, labelItem) : null,
                 describingWindow ? keyOf(describingWindow, describingItem) : null);
        },
        web_access_gone(window, item) {
            const key = keyOf(window, item);
            const record = nodes.get(key);
            if (!record)
                return;
            for (const [other, inside] of nodes)
                if (record.element.contains(inside.element))
                    nodes.delete(other);
            record.element.remove();
        },
    };

    // The page's script hands over the program once it runs: a way to deliver input to it
    // (which lets a waiting program go on) and its texts' decoder.
    return {imports, start(given) { program = given; }};
})();
