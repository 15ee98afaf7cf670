// The page's side of Quillmere: runs the WebAssembly program, shows each of its top-level
// windows as a caption bar and a canvas on a desktop fitted to the viewport, passes mouse, touch
// and keyboard input to it, and resumes it after Sleep and modal waits (the program's stack is
// saved and restored by Asyncify).
'use strict';

(() => {
    const desktop = document.getElementById('desktop');

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
        touchAim : null,     // (window id, x, y, radius) -> where a touch there is taken
        error : null,
    };
    window.quillmere = page;
    window.addEventListener('load', () => { page.loadedAt = performance.now(); });

    let exports = null;
    // The desktop's scale, CSS pixels per program pixel, and the program's main window (the
    // first it shows normally), which the scale fits to the viewport.
    let desktopScale = 1;
    let mainWindow = null;
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

    // ---- Fitting the desktop to the viewport ----
    // The page's desktop is the program's screen, at a scale that fits its main window into the
    // viewport: a whole number of device pixels per program pixel when that fills at least 85 %
    // of the room, else the full size, drawn at the next whole multiple and reduced smoothly by
    // the browser. A window larger than the screen is shown smaller, whole.
    const fullEnough = 0.85;
    const fingerRadius = 12; // CSS pixels: a 24 px contact, the least target of WCAG 2.5.8

    // The layout viewport, which a pinch zoom of the player's does not change.
    function viewport() {
        const root = document.documentElement;
        return {width : root.clientWidth, height : root.clientHeight};
    }
    const ratio = () => window.devicePixelRatio || 1;
    const snap = (value) => Math.round(value * ratio()) / ratio(); // onto device pixels

    function chooseScale() {
        const room = viewport();
        if (!mainWindow || !mainWindow.width || !mainWindow.height)
            return Math.max(1, Math.round(ratio())) / ratio();
        const largest = Math.min(room.width / mainWindow.width, room.height / mainWindow.height);
        const whole = Math.floor(largest * ratio() + 1e-6);
        return whole >= 1 && whole / ratio() >= fullEnough * largest ? whole / ratio() : largest;
    }

    // The work area in program pixels: the whole desktop (minimised windows sit in the room
    // the others leave, or under them).
    function workArea() {
        const room = viewport();
        return [
            0, 0, Math.floor(room.width / desktopScale + 1e-6),
            Math.floor(room.height / desktopScale + 1e-6)
        ];
    }

    function fitDesktop() {
        desktopScale = chooseScale();
        const records = [...page.windows.values() ];
        const minimised = (record) => (record.flags & PageWindowMinimised) !== 0;
        for (const record of records.filter((r) => !minimised(r)))
            layoutWindow(record);
        for (const record of records.filter(minimised))
            layoutWindow(record);
    }
    new ResizeObserver(fitDesktop).observe(document.documentElement);

    function layoutWindow(record) {
        if (record.flags & PageWindowMinimised)
            return layoutMinimised(record);
        const room = viewport();
        const [, , screenWidth, screenHeight] = workArea();
        const s = desktopScale * Math.min(1, screenWidth / record.width,
                                          screenHeight / record.height);
        record.scale = s;
        const left = Math.max(0, Math.min(record.x * desktopScale, room.width - record.width * s));
        const top = Math.max(0, Math.min(record.y * desktopScale, room.height - record.height * s));
        const line = Math.max(1, Math.round(s * ratio())) / ratio();
        Object.assign(record.element.style, {
            left : `${snap(left)}px`,
            top : `${snap(top)}px`,
            width : `${record.width * s}px`,
            height : `${record.height * s}px`,
            bottom : '',
        });
        record.element.style.setProperty('--s', s);
        record.element.style.setProperty('--line', `${line}px`);
        // The caption fills the frame above the surface, inside the border.
        const border = Math.max(0, Math.min(record.surfaceX, 4));
        Object.assign(record.caption.style, {
            left : `${border * s}px`,
            top : `${border * s}px`,
            right : `${border * s}px`,
            height : `${Math.max(0, record.surfaceY - border - 1) * s}px`
        });
        // Caption text at 12 CSS pixels or more, as far as the caption holds it.
        const captionHeight = Math.max(0, record.surfaceY - border - 1) * s;
        record.caption.style.fontSize = `${Math.min(Math.max(12, 12 * s), 0.8 * captionHeight)}px`;
        // The close box's target: at least 24 CSS pixels square around the classic box (2 px
        // from the caption's end, in the middle of its height), kept inside the window's frame.
        const targetWidth = Math.max(24, 16 * s), targetHeight = Math.max(24, 14 * s);
        const targetRight = Math.max(-border * s, 10 * s - targetWidth / 2);
        const targetTop = Math.max(-border * s, (captionHeight - targetHeight) / 2);
        Object.assign(record.close.style, {
            width : `${targetWidth}px`,
            height : `${targetHeight}px`,
            right : `${targetRight}px`,
            top : `${targetTop}px`
        });
        record.close.style.setProperty('--box-left', `${targetRight + targetWidth - 18 * s}px`);
        record.close.style.setProperty('--box-top',
                                       `${(captionHeight - 14 * s) / 2 - targetTop}px`);
        Object.assign(record.canvas.style, {
            left : `${record.surfaceX * s}px`,
            top : `${record.surfaceY * s}px`,
            width : `${record.pixels.width * s}px`,
            height : `${record.pixels.height * s}px`
        });
        drawCanvas(record);
    }

    // Minimised windows are caption bars in a corner of the room that the others leave.
    function layoutMinimised(record) {
        const room = viewport();
        let right = 0, bottom = 0;
        for (const other of page.windows.values())
            if (other !== record && (other.flags & (PageWindowVisible | PageWindowMinimised)) ===
                                        PageWindowVisible) {
                const box = other.element.getBoundingClientRect();
                right = Math.max(right, box.right);
                bottom = Math.max(bottom, box.bottom);
            }
        const below = room.height - bottom >= 32;
        const width = below ? 160 : Math.max(96, Math.min(160, room.width - right - 8));
        Object.assign(record.element.style, {
            left : `${below || room.width - right < 104 ? 4 : room.width - width - 4}px`,
            top : '',
            bottom : '4px',
            width : `${width}px`,
        });
        record.element.style.setProperty('--s', 1);
        record.element.style.setProperty('--line', `${Math.max(1, Math.round(ratio())) / ratio()}px`);
        Object.assign(record.close.style, {width : '24px', height : '24px', right : '0', top : '0'});
        record.close.style.setProperty('--box-left', '4px');
        record.close.style.setProperty('--box-top', '5px');
        record.caption.style.fontSize = '12px';
    }

    // The visible canvas shows the program's pixels at a whole number of device pixels each,
    // nearest neighbour; the browser reduces that where the scale is not whole.
    function drawCanvas(record) {
        const { pixels, canvas } = record;
        if (!pixels.width || !record.scale)
            return;
        const exact = record.scale * ratio();
        const whole = Math.abs(exact - Math.round(exact)) < 1e-6;
        const multiple = Math.max(1, whole ? Math.round(exact) : Math.ceil(exact));
        if (canvas.width !== pixels.width * multiple || canvas.height !== pixels.height * multiple) {
            canvas.width = pixels.width * multiple;
            canvas.height = pixels.height * multiple;
        }
        canvas.style.imageRendering = whole ? 'pixelated' : 'auto';
        const context = record.context;
        context.imageSmoothingEnabled = false;
        context.drawImage(pixels, 0, 0, canvas.width, canvas.height);
    }

    // ---- Windows ----
    function makeWindow(id) {
        const element = document.createElement('div');
        element.className = 'window';
        element.setAttribute('aria-hidden', 'true'); // access.js tells screen readers what it shows
        const caption = document.createElement('div');
        caption.className = 'caption';
        const title = document.createElement('span');
        title.className = 'title';
        const close = document.createElement('button');
        close.className = 'close';
        close.title = 'Cerrar';
        close.tabIndex = -1; // a mouse's way to close; the keyboard's is Esc
        close.addEventListener('click', () => input(InputEvent.CloseRequest, id, 0, 0, 0, 0, 0));
        caption.append(title, close);
        const canvas = document.createElement('canvas');
        element.append(caption, canvas);
        desktop.appendChild(element);
        // The program's pixels at one per program pixel, drawn onto the visible canvas.
        const pixels = document.createElement('canvas');
        pixels.width = pixels.height = 0;
        const record = {
            id,
            element,
            caption,
            title,
            close,
            canvas,
            context : canvas.getContext('2d'),
            pixels,
            pixelContext : pixels.getContext('2d'),
            flags : 0,
            owner : 0,
            text : '',
            x : 0,
            y : 0,
            width : 0,
            height : 0,
            surfaceX : 0,
            surfaceY : 0,
            scale : 0
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

    function placeWindow(record, x, y, width, height, surfaceX, surfaceY) {
        Object.assign(record, {x, y, width, height, surfaceX, surfaceY});
        if (!mainWindow && (record.flags & (PageWindowVisible | PageWindowMinimised)) ===
                               PageWindowVisible)
            mainWindow = record;
        if (record === mainWindow)
            fitDesktop();
        else
            layoutWindow(record);
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

    // Runs a call that queues input in the program, then lets a waiting program go on.
    function deliver(call) {
        if (!exports || page.finished)
            return;
        call(exports);
        if (resumeFromInput) {
            const resume = resumeFromInput;
            resumeFromInput = null;
            resume();
        }
    }

    function input(kind, id, x, y, key, mods, character, touchRadius = 0) {
        deliver((program) => program.webInput(kind, id, x, y, key, mods, character, touchRadius));
    }

    function mouse(record, event, kind) {
        if (event.button !== undefined && event.button !== 0 && kind !== InputEvent.MouseMove)
            return;
        startAudio();
        const box = record.canvas.getBoundingClientRect();
        const x = Math.floor((event.clientX - box.left) * record.pixels.width / box.width);
        const y = Math.floor((event.clientY - box.top) * record.pixels.height / box.height);
        if (kind === InputEvent.MouseDown)
            record.canvas.setPointerCapture(event.pointerId);
        event.preventDefault();
        // A finger is aimed by the program's touch hit-testing, within its contact's radius.
        const finger = event.pointerType === 'touch'
                           ? Math.max(1, Math.round(fingerRadius / record.scale))
                           : 0;
        input(kind, record.id, x, y, 0, modifiers(event), 0, finger);
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
                    if (left > 0)
                        return arm(Math.max(0, left - timerLateness), resume);
                    page.sleeps.push({asked : milliseconds, took : now - started});
                    resume();
                }, delay);
            };
            suspend((resume) => arm(Math.max(0, milliseconds - timerLateness), resume));
        },
        web_wait_input() { suspend((resume) => { resumeFromInput = resume; }); },
        web_now() { return Date.now(); },
        web_work_area(pointer) { new Int32Array(memory.buffer, pointer, 4).set(workArea()); },
        web_window(id, titlePointer, titleLength, flags, x, y, width, height, surfaceX, surfaceY,
                   owner) {
            const record = page.windows.get(id) || makeWindow(id);
            record.text = utf8At(titlePointer, titleLength);
            record.title.textContent = record.text;
            record.owner = owner;
            if ((flags & PageWindowVisible) && !(record.flags & PageWindowVisible))
                record.element.style.zIndex = String(++zOrder);
            record.flags = flags;
            showState(record);
            placeWindow(record, x, y, width, height, surfaceX, surfaceY);
        },
        web_window_destroyed(id) {
            const record = page.windows.get(id);
            if (record)
                record.element.remove();
            page.windows.delete(id);
            if (record === mainWindow)
                mainWindow = null;
            showActive();
        },
        web_present(id, pointer, width, height) {
            const record = page.windows.get(id);
            if (!record)
                return;
            const pixels = record.pixels;
            if (pixels.width !== width || pixels.height !== height) {
                pixels.width = width;
                pixels.height = height;
                record.image = record.pixelContext.createImageData(width, height);
                layoutWindow(record);
            }
            // 0x00RRGGBB words become RGBA bytes.
            const source = new Uint32Array(memory.buffer, pointer, width * height);
            const target = new Uint32Array(record.image.data.buffer);
            for (let i = 0; i < source.length; ++i) {
                const pixel = source[i];
                target[i] =
                    0xFF000000 | ((pixel & 0xFF) << 16) | (pixel & 0xFF00) | ((pixel >> 16) & 0xFF);
            }
            record.pixelContext.putImageData(record.image, 0, 0);
            drawCanvas(record);
            if (page.boardShownAt === null && !(record.flags & PageWindowMinimised)) {
                for (const sign of document.querySelectorAll('.loading'))
                    sign.remove();
                requestAnimationFrame(() => { page.boardShownAt = performance.now(); });
            }
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

    // The accessible mirror (access.js) adds its imports and gets the program once it runs.
    const access = window.quillmereAccess;

    function importsFor(module) {
        const imports = {env : {...env, ...access.imports}, wasi_snapshot_preview1 : {}};
        for (const wanted of WebAssembly.Module.imports(module)) {
            if (wanted.module === 'wasi_snapshot_preview1')
                imports.wasi_snapshot_preview1[wanted.name] =
                    wasi[wanted.name] || (() => 52); // ENOSYS
        }
        return imports;
    }

    async function start() {
        // The HTML preloads the module; streaming compilation needs the application/wasm
        // type, which some hosts do not send.
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
        access.start({deliver, text : utf8At});
        page.itemText = (id, item) => utf8String(exports.webItemText(id, item));
        page.itemRect = (id, item) =>
            Array.from(new Int32Array(memory.buffer, exports.webItemRect(id, item), 4));
        page.touchAim = (id, x, y, radius) =>
            Array.from(new Int32Array(memory.buffer, exports.webTouchAim(id, x, y, radius), 2));
        page.fingerRadius = fingerRadius;
        run();
    }
    start().catch((error) => {
        page.error = String(error);
        console.error('quillmere:', error);
    });
    // The service worker keeps this build for visits without the network.
    if ('serviceWorker' in navigator)
        window.addEventListener('load', () => navigator.serviceWorker.register('sw.js').catch(
                                            (error) => console.warn('quillmere:', error)));
})();
