// The page's side of Quillmere: runs the WebAssembly program, shows each of its top-level
// windows as a caption bar and a canvas, passes mouse and keyboard input to it, and resumes it
// after Sleep and modal waits (the program's stack is saved and restored by Asyncify).
'use strict';

(() => {
    const desktop = document.getElementById('desktop');
    // Device pixels per program pixel: a whole number, so that the pixels stay crisp.
    const scale = Math.max(1, Math.round(window.devicePixelRatio || 1));
    const unit = scale / (window.devicePixelRatio || 1); // CSS pixels per program pixel

    // What tests and curious people can look at: window.quillmere.
    const page = {
        loadedAt : null,     // performance.now() of the load event
        boardShownAt : null, // when the first window with pixels was on screen
        sleeps : [],         // {asked, took} in milliseconds, as measured here
        beeps : [],
        clipboard : null,
        finished : false,
        saveAreaPeak : 0,    // bytes of the suspended stack, at most
        windows : new Map(), // id -> {id, title, flags, element, canvas, owner, ...}
        itemText : null,     // (window id, item id) -> text, set once the program runs
        itemRect : null,     // (window id, item id) -> [left, top, right, bottom] on its canvas
        error : null,
    };
    window.quillmere = page;
    window.addEventListener('load', () => { page.loadedAt = performance.now(); });

    let exports = null;
    let memory = null;
    let saveArea = 0;
    let resumeFromInput = null; // set while the program waits for input
    let zOrder = 10;
    let timerLateness = 1; // milliseconds, a running estimate

    // The numbers shared with the program (input kinds, window flags, modifier bits, virtual
    // keys, beep types): the build writes them in from the program's headers.
    /* numbers */

    // ---- Text from the program (UTF-8 bytes; the program converts its Windows-1252) ----
    const utf8 = new TextDecoder('utf-8');
    function bytesAt(pointer, length) { return new Uint8Array(memory.buffer, pointer, length); }
    function utf8At(pointer, length) { return utf8.decode(bytesAt(pointer, length).slice()); }
    function utf8String(pointer) {
        return utf8At(pointer, new Uint8Array(memory.buffer, pointer).indexOf(0));
    }

    // ---- Suspending and resuming the program ----
    const asyncifyUnwinding = 1, asyncifyRewinding = 2;

    // Runs the program until it returns or suspends.
    function run() {
        let result;
        try {
            result = exports.webMain();
        } catch (error) {
            page.error = String(error && error.stack || error);
            console.error('quillmere:', error);
            return;
        }
        if (exports.asyncify_get_state() === asyncifyUnwinding) {
            exports.asyncify_stop_unwind();
            const used = new Uint32Array(memory.buffer, saveArea, 1)[0] - saveArea - 8;
            page.saveAreaPeak = Math.max(page.saveAreaPeak, used);
            return;
        }
        finish(result);
    }

    // Called inside an import: the first time it saves the stack and passes `arrange` a function
    // that resumes the program; when the program is resumed it returns true instead.
    function suspend(arrange) {
        if (exports.asyncify_get_state() === asyncifyRewinding) {
            exports.asyncify_stop_rewind();
            return true;
        }
        const words = new Uint32Array(memory.buffer, saveArea, 1);
        words[0] = saveArea + 8;
        exports.asyncify_start_unwind(saveArea);
        arrange(() => {
            exports.asyncify_start_rewind(saveArea);
            run();
        });
        return false;
    }

    function finish() {
        page.finished = true;
        for (const record of page.windows.values())
            record.element.remove();
        page.windows.clear();
        const note = document.createElement('div');
        note.className = 'ended';
        note.innerHTML = 'Quillmere ha terminado. <a href="">Jugar otra vez</a>';
        desktop.appendChild(note);
    }

    // ---- Windows ----
    function makeWindow(id) {
        const element = document.createElement('div');
        element.className = 'window';
        const caption = document.createElement('div');
        caption.className = 'caption';
        const title = document.createElement('span');
        title.className = 'title';
        const close = document.createElement('button');
        close.className = 'close';
        close.title = 'Cerrar';
        close.textContent = '\u00D7';
        close.addEventListener('click', () => input(InputEvent.CloseRequest, id, 0, 0, 0, 0, 0));
        caption.append(title, close);
        const canvas = document.createElement('canvas');
        element.append(caption, canvas);
        desktop.appendChild(element);
        const record = {
            id,
            element,
            caption,
            title,
            canvas,
            context : canvas.getContext('2d'),
            flags : 0,
            owner : 0,
            text : ''
        };
        canvas.addEventListener('pointerdown',
                                (event) => mouse(record, event, InputEvent.MouseDown));
        canvas.addEventListener('pointermove',
                                (event) => mouse(record, event, InputEvent.MouseMove));
        canvas.addEventListener('pointerup', (event) => mouse(record, event, InputEvent.MouseUp));
        canvas.addEventListener('contextmenu', (event) => event.preventDefault());
        page.windows.set(id, record);
        return record;
    }

    function px(value) { return `${value * unit}px`; }

    function placeWindow(record, x, y, width, height, surfaceX, surfaceY) {
        const style = record.element.style;
        style.left = px(x);
        style.top = px(y);
        style.width = px(width);
        style.height = px(height);
        // The caption fills the frame above the surface, inside the border.
        const border = Math.max(0, Math.min(surfaceX, 4));
        Object.assign(record.caption.style, {
            left : px(border),
            top : px(border),
            right : px(border),
            height : px(Math.max(0, surfaceY - border - 1))
        });
        record.canvas.style.left = px(surfaceX);
        record.canvas.style.top = px(surfaceY);
        record.surfaceX = surfaceX;
        record.surfaceY = surfaceY;
    }

    function showState(record) {
        const visible = (record.flags & PageWindowVisible) !== 0;
        const minimised = (record.flags & PageWindowMinimised) !== 0;
        record.element.classList.toggle('hidden', !visible);
        record.element.classList.toggle('minimised', visible && minimised);
        showActive();
    }

    // The topmost shown window has the active caption.
    function showActive() {
        let top = null;
        for (const record of page.windows.values())
            if ((record.flags & (PageWindowVisible | PageWindowMinimised)) === PageWindowVisible &&
                (!top || Number(record.element.style.zIndex) > Number(top.element.style.zIndex)))
                top = record;
        for (const record of page.windows.values())
            record.element.classList.toggle('inactive', record !== top);
    }

    // ---- Input ----
    function modifiers(event) {
        return (event.shiftKey ? PageShift : 0) | (event.ctrlKey ? PageControl : 0) |
               (event.altKey ? PageAlt : 0);
    }

    function input(kind, id, x, y, key, mods, character) {
        if (!exports || page.finished)
            return;
        exports.webInput(kind, id, x, y, key, mods, character);
        if (resumeFromInput) {
            const resume = resumeFromInput;
            resumeFromInput = null;
            resume();
        }
    }

    function mouse(record, event, kind) {
        if (event.button !== undefined && event.button !== 0 && kind !== InputEvent.MouseMove)
            return;
        startAudio();
        const box = record.canvas.getBoundingClientRect();
        const x = Math.floor((event.clientX - box.left) * record.canvas.width / box.width);
        const y = Math.floor((event.clientY - box.top) * record.canvas.height / box.height);
        if (kind === InputEvent.MouseDown)
            record.canvas.setPointerCapture(event.pointerId);
        event.preventDefault();
        input(kind, record.id, x, y, 0, modifiers(event), 0);
    }

    const namedKeys = {
        Backspace : VK_BACK,
        Tab : VK_TAB,
        Enter : VK_RETURN,
        NumpadEnter : VK_RETURN,
        Escape : VK_ESCAPE,
        Space : VK_SPACE,
        End : VK_END,
        Home : VK_HOME,
        ArrowLeft : VK_LEFT,
        ArrowUp : VK_UP,
        ArrowRight : VK_RIGHT,
        ArrowDown : VK_DOWN,
        Insert : VK_INSERT,
        Delete : VK_DELETE,
        F10 : VK_F10,
        ShiftLeft : VK_SHIFT,
        ShiftRight : VK_SHIFT,
        ControlLeft : VK_CONTROL,
        ControlRight : VK_CONTROL,
        AltLeft : VK_MENU,
        AltRight : VK_MENU
    };
    function virtualKey(event) {
        const code = event.code || '';
        if (/^Key[A-Z]$/.test(code))
            return code.charCodeAt(3);
        if (/^Digit[0-9]$/.test(code))
            return code.charCodeAt(5);
        return namedKeys[code] || 0;
    }

    function key(event, kind) {
        if (!exports || page.finished)
            return;
        startAudio();
        const vk = virtualKey(event);
        // Keys go to the active window, which the program knows (id 0).
        if (vk)
            input(kind, 0, 0, 0, vk, modifiers(event), 0);
        if (kind === InputEvent.KeyDown && event.key.length === 1 && !event.ctrlKey &&
            !event.altKey && !event.metaKey)
            input(InputEvent.Character, 0, 0, 0, 0, modifiers(event), event.key.codePointAt(0));
        // The browser's own uses of these keys would take the focus or scroll the page.
        if (vk && !event.metaKey && !(event.ctrlKey && vk === 'R'.charCodeAt(0)))
            event.preventDefault();
    }
    document.addEventListener('keydown', (event) => key(event, InputEvent.KeyDown));
    document.addEventListener('keyup', (event) => key(event, InputEvent.KeyUp));

    // ---- Sound and clipboard ----
    let audio = null;
    function startAudio() {
        // Browsers let audio start only from a key press or click that counts as a gesture.
        if (audio || (navigator.userActivation && !navigator.userActivation.isActive))
            return;
        const Context = window.AudioContext || window.webkitAudioContext;
        if (!Context)
            return;
        audio = new Context();
        if (audio.state === 'suspended')
            audio.resume();
    }
    const tones = {
        [MB_ICONEXCLAMATION] : [ [ 880, 110 ], [ 587.3, 170 ] ],
        [MB_ICONASTERISK] : [ [ 1318.5, 260 ] ]
    };
    function beep(type) {
        page.beeps.push(type);
        if (!audio || audio.state !== 'running')
            return;
        let at = audio.currentTime;
        for (const [frequency, milliseconds] of tones[type] || [ [ 660, 180 ] ]) {
            const oscillator = audio.createOscillator();
            const gain = audio.createGain();
            const end = at + milliseconds / 1000;
            oscillator.frequency.value = frequency;
            gain.gain.setValueAtTime(0, at);
            gain.gain.linearRampToValueAtTime(0.25, at + 0.0025);
            gain.gain.setValueAtTime(0.25, end - 0.01);
            gain.gain.linearRampToValueAtTime(0, end);
            oscillator.connect(gain).connect(audio.destination);
            oscillator.start(at);
            oscillator.stop(end);
            at = end;
        }
    }

    // ---- What the program imports ----
    const env = {
        web_sleep(milliseconds) {
            const started = performance.now();
            // Timers fire a little late: each is set that much shorter, and one that still
            // fires early is followed by another for the rest.
            const arm = (delay, resume) => {
                const armed = performance.now();
                setTimeout(() => {
                    const now = performance.now();
                    const late = now - armed - delay;
                    timerLateness = Math.min(4, Math.max(0, timerLateness * 0.75 + late * 0.25));
                    const left = milliseconds - (now - started);
                    if (left >= 1)
                        return arm(Math.max(0, left - timerLateness), resume);
                    page.sleeps.push({asked : milliseconds, took : now - started});
                    resume();
                }, delay);
            };
            suspend((resume) => arm(Math.max(0, milliseconds - timerLateness), resume));
        },
        web_wait_input() { suspend((resume) => { resumeFromInput = resume; }); },
        web_now() { return Date.now(); },
        web_window(id, titlePointer, titleLength, flags, x, y, width, height, surfaceX, surfaceY,
                   owner) {
            const record = page.windows.get(id) || makeWindow(id);
            record.text = utf8At(titlePointer, titleLength);
            record.title.textContent = record.text;
            record.owner = owner;
            if ((flags & PageWindowVisible) && !(record.flags & PageWindowVisible))
                record.element.style.zIndex = String(++zOrder);
            record.flags = flags;
            placeWindow(record, x, y, width, height, surfaceX, surfaceY);
            showState(record);
        },
        web_window_destroyed(id) {
            const record = page.windows.get(id);
            if (record)
                record.element.remove();
            page.windows.delete(id);
            showActive();
        },
        web_present(id, pointer, width, height) {
            const record = page.windows.get(id);
            if (!record)
                return;
            const canvas = record.canvas;
            if (canvas.width !== width || canvas.height !== height) {
                canvas.width = width;
                canvas.height = height;
                canvas.style.width = px(width);
                canvas.style.height = px(height);
                record.image = record.context.createImageData(width, height);
            }
            // 0x00RRGGBB words become RGBA bytes.
            const source = new Uint32Array(memory.buffer, pointer, width * height);
            const target = new Uint32Array(record.image.data.buffer);
            for (let i = 0; i < source.length; ++i) {
                const pixel = source[i];
                target[i] =
                    0xFF000000 | ((pixel & 0xFF) << 16) | (pixel & 0xFF00) | ((pixel >> 16) & 0xFF);
            }
            record.context.putImageData(record.image, 0, 0);
            if (page.boardShownAt === null && !(record.flags & PageWindowMinimised))
                requestAnimationFrame(() => { page.boardShownAt = performance.now(); });
        },
        web_beep(type) { beep(type); },
        web_clipboard(pointer, length) {
            page.clipboard = utf8At(pointer, length);
            if (navigator.clipboard)
                navigator.clipboard.writeText(page.clipboard).catch(() => {});
        },
    };

    // The little of WASI that the C library uses: the clock and writes to stderr.
    let consoleLine = '';
    const wasi = {
        clock_time_get(id, precision, resultPointer) {
            const nanoseconds = id === 0 ? BigInt(Date.now()) * 1000000n
                                         : BigInt(Math.round(performance.now() * 1e6));
            new DataView(memory.buffer).setBigUint64(resultPointer, nanoseconds, true);
            return 0;
        },
        fd_write(fd, vectors, count, writtenPointer) {
            const view = new DataView(memory.buffer);
            let written = 0;
            for (let i = 0; i < count; ++i) {
                const pointer = view.getUint32(vectors + i * 8, true);
                const length = view.getUint32(vectors + i * 8 + 4, true);
                consoleLine += utf8At(pointer, length);
                written += length;
            }
            const lines = consoleLine.split('\n');
            consoleLine = lines.pop();
            for (const line of lines)
                (fd === 2 ? console.error : console.log)(line);
            view.setUint32(writtenPointer, written, true);
            return 0;
        },
        fd_close() { return 0; },
        fd_seek() { return 70; }, // ESPIPE
        proc_exit(code) { throw new Error(`exit ${code}`); },
    };

    function importsFor(module) {
        const imports = {env, wasi_snapshot_preview1 : {}};
        for (const wanted of WebAssembly.Module.imports(module)) {
            if (wanted.module === 'wasi_snapshot_preview1')
                imports.wasi_snapshot_preview1[wanted.name] =
                    wasi[wanted.name] || (() => 52); // ENOSYS
        }
        return imports;
    }

    async function start() {
        // Streaming compilation needs the application/wasm type; some hosts serve another.
        let module;
        try {
            module = await WebAssembly.compileStreaming(fetch('quillmere.wasm'));
        } catch (error) {
            const response = await fetch('quillmere.wasm');
            module = await WebAssembly.compile(await response.arrayBuffer());
        }
        const instance = await WebAssembly.instantiate(module, importsFor(module));
        exports = instance.exports;
        memory = exports.memory;
        exports._initialize();
        saveArea = exports.webSaveArea();
        page.itemText = (id, item) => utf8String(exports.webItemText(id, item));
        page.itemRect = (id, item) =>
            Array.from(new Int32Array(memory.buffer, exports.webItemRect(id, item), 4));
        run();
    }
    start().catch((error) => {
        page.error = String(error);
        console.error('quillmere:', error);
    });
})();
