// Plays the web page in Debian's Chromium, headless, through puppeteer-core: serves the site on
// 127.0.0.1, clicks and types as a player, and reads the canvases' pixels and the status line.
// Usage: node page.test.mjs <site folder> --sticks <game/board.cpp> [--board <png>]
//        [--screenshot <png>]
// --sticks names the game's source that holds the stick buttons' ids; --board the desktop
// layer's picture of the board as it opens, which the page must match.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import {createRequire} from 'node:module';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

const site = path.resolve(process.argv[2] || 'site');
const screenshotAt = process.argv.indexOf('--screenshot');
const screenshot = screenshotAt > 0 ? process.argv[screenshotAt + 1] : null;
const boardAt = process.argv.indexOf('--board');
const boardPicture = boardAt > 0 ? path.resolve(process.argv[boardAt + 1]) : null;
const sticksAt = process.argv.indexOf('--sticks');

// Control ids of the board dialog and the texts it shows. The sticks come from the game's table,
// row by row: row r holds 2r + 1 of them.
const stickIds = fs.readFileSync(process.argv[sticksAt + 1], 'latin1')
                     .match(/stickControls\[nrSticks\] = \{([^}]*)\}/)[1]
                     .split(',')
                     .map(Number);
const rows = [ 0, 1, 2, 3 ].map((r) => stickIds.slice(r * r, (r + 1) * (r + 1)));
const confirmButton = 1009, playerButton = 1017, statusLine = 1022, lever = 1024;
const whoStarts = '\u00BFQu\u00EDen comienza?';
const yourTurn = 'TE TOCA A TI: Selecciona palitos (en una linea)';
const thinking = 'ORDANEL SOFTWARE: ............';

let networkOff = false; // the server drops every request, as if the network were gone

function serve(folder) {
    const types = {
        '.html' : 'text/html',
        '.js' : 'text/javascript',
        '.wasm' : 'application/wasm',
        '.webmanifest' : 'application/manifest+json',
        '.png' : 'image/png'
    };
    const server = http.createServer((request, response) => {
        if (networkOff) {
            request.socket.destroy();
            return;
        }
        const name = request.url === '/' ? 'index.html' : request.url.split('?')[0].slice(1);
        const file = name === 'reference/board.png' && boardPicture
                         ? boardPicture
                         : path.join(folder, path.basename(name));
        fs.readFile(file, (error, bytes) => {
            if (error) {
                response.writeHead(404);
                response.end();
                return;
            }
            response.writeHead(200, {'Content-Type' : types[path.extname(file)] || 'text/plain'});
            response.end(bytes);
        });
    });
    return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

// ---- Looking at the page ----
async function boardId(page) {
    await page.waitForFunction(() => window.quillmere && window.quillmere.boardShownAt !== null,
                               {timeout : 10000});
    return page.evaluate(() => {
        for (const w of window.quillmere.windows.values())
            if (w.text === 'Quillmere' && (w.flags & 3) === 1)
                return w.id;
        return null;
    });
}

function status(page, board) {
    return page.evaluate((id, item) => window.quillmere.itemText(id, item), board, statusLine);
}

// Which sticks show green (present) on the board's canvas, by id.
function greenSticks(page, board) {
    return page.evaluate((id, sticks) => {
        const q = window.quillmere;
        const canvas = q.windows.get(id).pixels;
        const pixels = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height);
        return sticks.filter((stick) => {
            const [left, top, right, bottom] = q.itemRect(id, stick);
            let green = 0;
            for (let y = top; y < bottom; ++y)
                for (let x = left; x < right; ++x) {
                    const at = (y * canvas.width + x) * 4;
                    const [r, g, b] = pixels.data.slice(at, at + 3);
                    if (g > 120 && r < 100 && b < 100)
                        ++green;
                }
            return green > 40;
        });
    }, board, stickIds);
}

// The pixels of a control on the board's canvas, as a string to compare.
function pixelsOf(page, board, item) {
    return page.evaluate((id, it) => {
        const q = window.quillmere;
        const [left, top, right, bottom] = q.itemRect(id, it);
        const context = q.windows.get(id).pixels.getContext('2d');
        return context.getImageData(left, top, right - left, bottom - top).data.join(',');
    }, board, item);
}

// The other windows now on the page: title, canvas size and how many dark pixels it shows.
function dialogs(page, board) {
    return page.evaluate((id) => {
        const out = [];
        for (const w of window.quillmere.windows.values()) {
            if (w.id === id || (w.flags & 3) !== 1)
                continue;
            const c = w.pixels;
            const data = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
            let dark = 0;
            for (let i = 0; i < data.length; i += 4)
                dark += data[i] + data[i + 1] + data[i + 2] < 200 ? 1 : 0;
            out.push({id : w.id, title : w.text, width : c.width, height : c.height, dark});
        }
        return out;
    }, board);
}

// Where an item of a window is on the page, in CSS pixels: its centre, moved by dx program
// pixels beyond its right edge when dx is given.
function pointOf(page, board, item, dx = null) {
    return page.evaluate((id, it, beyond) => {
        const w = window.quillmere.windows.get(id);
        const [left, top, right, bottom] = window.quillmere.itemRect(id, it);
        const box = w.canvas.getBoundingClientRect();
        const scale = box.width / w.pixels.width;
        const x = beyond === null ? (left + right) / 2 : right + beyond;
        return {x : box.left + x * scale, y : box.top + (top + bottom) / 2 * scale};
    }, board, item, dx);
}

async function click(page, board, item) {
    const point = await pointOf(page, board, item);
    await page.mouse.click(point.x, point.y);
}

function waitForStatus(page, board, text, timeout = 15000) {
    return page.waitForFunction((id, item, t) => window.quillmere.itemText(id, item) === t,
                                {timeout, polling : 20}, board, statusLine, text);
}

async function pressWithAlt(page, key) {
    await page.keyboard.down('Alt');
    await page.keyboard.press(key);
    await page.keyboard.up('Alt');
}

// Plays a game to its message by press(item): empties the fullest row each turn, leaving the
// computer one stick when it is the last row. Checks the message's size.
async function playWholeGame(page, board, press) {
    let tookLast = null;
    await press(playerButton);
    for (let turn = 0; turn < 12 && tookLast === null; ++turn) {
        await waitForStatus(page, board, yourTurn);
        const present = await greenSticks(page, board);
        const left = rows.map((row) => row.filter((stick) => present.includes(stick)));
        const fullest = left.reduce((a, b) => (b.length > a.length ? b : a));
        const take =
            present.length === fullest.length && fullest.length > 1 ? fullest.slice(1) : fullest;
        for (const stick of take)
            await press(stick);
        await press(confirmButton);
        const player = present.length === take.length;
        // The game ends with a message, or the computer thinks and answers.
        const endedOr = (text) => page.waitForFunction(
            (id, item, t) => window.quillmere.itemText(id, item) === t ||
                             [...window.quillmere.windows.values() ].some(
                                 (w) => w.id !== id && (w.flags & 3) === 1),
            {timeout : 15000, polling : 20}, board, statusLine, text);
        await endedOr(thinking);
        await endedOr(yourTurn);
        if ((await dialogs(page, board)).length)
            tookLast = player ? 'player' : 'computer';
    }
    assert.ok(tookLast, 'the game ended');
    const [message] = await dialogs(page, board);
    if (screenshot)
        await page.screenshot({path : screenshot});
    // The player's win is told in a 600 x 300 window, the computer's in a 700 x 150 one.
    const expected = tookLast === 'computer' ? [ 600, 300 ] : [ 700, 150 ];
    console.log(`  ${tookLast} took the last stick; message "${message.title}" ` +
                `${message.width} x ${message.height}`);
    assert.ok(Math.abs(message.width - expected[0]) < 20 &&
                  Math.abs(message.height - expected[1]) < 60,
              `message of ${message.width} x ${message.height}`);
}

// The page unzoomed, not scrolling, and every shown window whole inside the viewport.
async function expectFit(page, when) {
    const problem = await page.evaluate(() => {
        const root = document.scrollingElement;
        if (visualViewport.scale !== 1 || root.scrollWidth > innerWidth ||
            root.scrollHeight > innerHeight)
            return `zoom ${visualViewport.scale}, page ${root.scrollWidth} x ${root.scrollHeight}`;
        for (const w of window.quillmere.windows.values()) {
            const b = w.element.getBoundingClientRect();
            if ((w.flags & 1) && (b.left < -0.5 || b.top < -0.5 || b.right > innerWidth + 0.5 ||
                                  b.bottom > innerHeight + 0.5))
                return `${w.text} at ${b.left}, ${b.top} to ${b.right}, ${b.bottom}`;
        }
        return null;
    });
    assert.equal(problem, null, when);
}

// The tap target of each of the board's controls, in CSS pixels, as touch aiming makes it: the
// side of the largest square around its centre whose every point (1 px apart) is taken at the
// control, and its width through the centre. The close boxes' targets are their boxes.
function targetSizes(page, board) {
    const items = [...stickIds, confirmButton, playerButton, lever, 2 ];
    return page.evaluate((id, ids) => {
        const q = window.quillmere, w = q.windows.get(id);
        const box = w.canvas.getBoundingClientRect(), scale = box.width / w.pixels.width;
        const radius = Math.max(1, Math.round(q.fingerRadius / w.scale));
        const rects = ids.map((item) => q.itemRect(id, item));
        const takenAt = (x, y) => {
            const [ax, ay] = q.touchAim(id, Math.floor((x - box.left) / scale),
                                        Math.floor((y - box.top) / scale), radius);
            const at = rects.findIndex(([l, t, r, b]) => ax >= l && ax < r && ay >= t && ay < b);
            return at < 0 ? null : ids[at];
        };
        const sizes = {};
        ids.forEach((item, i) => {
            const [l, t, r, b] = rects[i];
            const x = box.left + (l + r) / 2 * scale, y = box.top + (t + b) / 2 * scale;
            let half = 0;
            const ringHolds = (h) => {
                for (let d = -h; d <= h; ++d)
                    for (const [dx, dy] of [[d, -h], [d, h], [-h, d], [h, d]])
                        if (takenAt(x + dx, y + dy) !== item)
                            return false;
                return true;
            };
            while (half < 100 && ringHolds(half + 1))
                ++half;
            let left = 0, right = 0;
            while (takenAt(x - left - 1, y) === item)
                ++left;
            while (takenAt(x + right + 1, y) === item)
                ++right;
            sizes[item] = {square : 2 * half + 1, width : left + right + 1};
        });
        for (const close of document.querySelectorAll('.window:not(.hidden) .close')) {
            const b = close.getBoundingClientRect();
            sizes[`close box of ${close.closest('.window').textContent}`] = {
                square : Math.floor(Math.min(b.width, b.height,
                                             innerWidth - b.left, innerHeight - b.top)),
                width : b.width
            };
        }
        return sizes;
    }, board, items);
}

// ---- The accessible mirror, as a screen reader meets it ----
// A control by role and name in the accessibility tree.
function control(page, name, role = 'button') {
    return page.waitForSelector(`aria/${name}[role="${role}"]`, {timeout : 15000});
}

// Clicks as a screen reader does through the accessibility API: on the element, not a point.
async function activate(page, name, role) {
    await (await control(page, name, role)).evaluate((element) => element.click());
}

// Records every new text of a live region, in order, as a screen reader would announce it.
function listenToLiveRegions(page) {
    return page.evaluate(() => {
        window.heard = [];
        new MutationObserver((changes) => {
            for (const change of changes) {
                const node = change.target.nodeType === Node.TEXT_NODE ? change.target.parentNode
                                                                       : change.target;
                const region = node.closest && node.closest('[aria-live]');
                if (region && !region.closest('[hidden]') && region.textContent &&
                    window.heard[window.heard.length - 1] !== region.textContent)
                    window.heard.push(region.textContent);
            }
        }).observe(document.body, {subtree : true, childList : true, characterData : true});
    });
}

function heardSince(page, from) {
    return page.evaluate((n) => window.heard.slice(n), from);
}

// The tree as puppeteer's snapshot gives it, one node a line.
function treeLines(node, depth = 0, out = []) {
    const states = [ 'disabled', 'focused', 'pressed', 'modal', 'expanded', 'live' ].filter(
        (state) => node[state] !== undefined).map((state) => `${state}=${node[state]}`);
    out.push(`${'  '.repeat(depth)}${node.role} ${JSON.stringify(node.name || '')} ${
        states.join(' ')}`.trimEnd());
    for (const child of node.children || [])
        treeLines(child, depth + 1, out);
    return out;
}

async function axeViolations(page) {
    await page.addScriptTag({path : createRequire(import.meta.url).resolve('axe-core')});
    const result = await page.evaluate(() => window.axe.run(document));
    return result.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`);
}

// ---- Scenarios ----
const scenarios = {
    async 'the board opens with sixteen green sticks'(page) {
        const board = await boardId(page);
        assert.equal((await greenSticks(page, board)).length, 16);
        assert.equal(await status(page, board), whoStarts);
        if (boardPicture) {
            // Same glyphs, pictures and places as the desktop layer: not one pixel differs.
            const differing = await page.evaluate(async (id) => {
                const picture = new Image();
                picture.src = '/reference/board.png';
                await picture.decode();
                const canvas = window.quillmere.windows.get(id).pixels;
                if (canvas.width !== picture.width || canvas.height !== picture.height)
                    return `${canvas.width} x ${canvas.height} against ${picture.width} x ` +
                           `${picture.height}`;
                const reference = document.createElement('canvas');
                reference.width = picture.width;
                reference.height = picture.height;
                reference.getContext('2d').drawImage(picture, 0, 0);
                const want = reference.getContext('2d')
                                 .getImageData(0, 0, picture.width, picture.height)
                                 .data;
                const have =
                    canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
                let count = 0;
                for (let i = 0; i < want.length; i += 4)
                    if (want[i] !== have[i] || want[i + 1] !== have[i + 1] ||
                        want[i + 2] !== have[i + 2])
                        ++count;
                return count;
            }, board);
            assert.equal(differing, 0, `board against the desktop's picture: ${differing}`);
        }
    },

    async 'a move, the answer after a pause that keeps the page going, clicks made meanwhile'(
        page) {
        const board = await boardId(page);
        await click(page, board, playerButton);
        await waitForStatus(page, board, yourTurn);
        await click(page, board, 1016);
        assert.equal((await greenSticks(page, board)).length, 15, 'the stick turns red');
        await click(page, board, 1000); // another row: refused with the warning beep
        assert.deepEqual(await page.evaluate(() => window.quillmere.beeps), [ 0x30 ]);
        assert.equal((await greenSticks(page, board)).length, 15);
        // A page timer ticks through the computer's pause.
        await page.evaluate(() => {
            window.ticks = [];
            window.ticker = setInterval(() => window.ticks.push(performance.now()), 50);
        });
        const leverBefore = await pixelsOf(page, board, lever);
        await click(page, board, confirmButton);
        await waitForStatus(page, board, thinking);
        await new Promise((resolve) => setTimeout(resolve, 500));
        // Clicks made during the pause wait, aimed where they were made: "Reinicia" is hidden
        // meanwhile, so that click falls on the board; the lever's click moves the lever
        // once the computer has played.
        await click(page, board, playerButton);
        await click(page, board, lever);
        assert.equal((await greenSticks(page, board)).length, 15, 'the pause shows the move');
        assert.equal(await pixelsOf(page, board, lever), leverBefore,
                     'lever still during the pause');
        await waitForStatus(page, board, yourTurn);
        const ticks = await page.evaluate(() => {
            clearInterval(window.ticker);
            return window.ticks;
        });
        assert.ok(ticks.length > 5, `the page timer ticked ${ticks.length} times in the pause`);
        const answered = await greenSticks(page, board);
        assert.ok(answered.length < 15, 'the computer took sticks');
        assert.notEqual(await pixelsOf(page, board, lever), leverBefore, 'the lever moved');
        await click(page, board, playerButton);
        await waitForStatus(page, board, whoStarts);
        assert.equal((await greenSticks(page, board)).length, 16, 'a fresh board');

        // A Sleep never wakes early (how late it wakes is the benchmark's, bench/web).
        const sleeps = await page.evaluate(() => window.quillmere.sleeps);
        assert.ok(sleeps.some((s) => s.asked === 2000) && sleeps.length > 1, 'pause and frames');
        for (const sleep of sleeps)
            assert.ok(sleep.took >= sleep.asked, `a Sleep of ${sleep.asked} ms took ${sleep.took}`);
    },

    async 'the rules open from the menu with Alt, hold the board, and close with Enter'(page) {
        const board = await boardId(page);
        await pressWithAlt(page, 'y');
        await page.keyboard.press('r');
        await page.waitForFunction(() => [...window.quillmere.windows.values()].some(
                                       (w) => w.text === 'Reglas del juego' && w.pixels.width > 1),
                                   {timeout : 5000});
        const [rules] = await dialogs(page, board);
        assert.equal(rules.title, 'Reglas del juego');
        assert.ok(rules.dark > 500, `the rules text shows (${rules.dark} dark pixels)`);
        await click(page, board, confirmButton); // the board takes no input meanwhile
        await page.keyboard.press('Enter');
        await page.waitForFunction(() => [...window.quillmere.windows.values()].every(
                                       (w) => w.text !== 'Reglas del juego'),
                                   {timeout : 5000});
        assert.equal(await status(page, board), whoStarts);
        assert.equal((await dialogs(page, board)).length, 0);
    },

    async 'a whole game by clicks ends in the right message and a fresh board'(page) {
        const board = await boardId(page);
        await playWholeGame(page, board, (item) => click(page, board, item));
        await page.keyboard.press('Enter');
        await waitForStatus(page, board, whoStarts);
        assert.equal((await greenSticks(page, board)).length, 16);
    },

    // Each stick is tapped in its column cell beside it, where only touch aiming finds it.
    async 'a whole game on a phone by taps alone, unzoomed, every window whole at every step'(
        page) {
        const board = await boardId(page);
        const sizes = await targetSizes(page, board);
        console.log(`  smallest target ${Math.min(...Object.values(sizes).map((t) => t.square))}` +
                    ` px square, narrowest stick ${
                        Math.min(...stickIds.map((id) => sizes[id].width))} px`);
        for (const [item, size] of Object.entries(sizes))
            assert.ok(size.square >= 24 && (!stickIds.includes(Number(item)) || size.width >= 38),
                      `control ${item}: target ${size.square} px square, ${size.width} px wide`);
        const tap = async (id, item, dx) => {
            const point = await pointOf(page, id, item, dx);
            await page.touchscreen.tap(point.x, point.y);
            await expectFit(page, `after a tap on ${item}`);
        };
        await expectFit(page, 'at the start');
        await playWholeGame(page, board,
                            (item) => tap(board, item, stickIds.includes(item) ? 5 : null));
        await expectFit(page, 'with the message');
        const [message] = await dialogs(page, board);
        await tap(message.id, 1, null);
        await waitForStatus(page, board, whoStarts);
        assert.equal((await greenSticks(page, board)).length, 16);
    },

    async 'the board fills a tablet crisply and keeps its game when the tablet turns'(page) {
        const board = await boardId(page);
        const look = () => page.evaluate((id) => {
            const w = window.quillmere.windows.get(id);
            const box = w.element.getBoundingClientRect();
            return {
                share : Math.max(box.width / innerWidth, box.height / innerHeight),
                devicePixels : w.scale * devicePixelRatio
            };
        }, board);
        const upright = await look();
        assert.ok(upright.share >= 0.85 && Number.isInteger(upright.devicePixels),
                  `board ${JSON.stringify(upright)}`);
        const stick = await pointOf(page, board, 1016, 5);
        await page.touchscreen.tap(stick.x, stick.y);
        await waitForStatus(page, board, yourTurn);
        await page.setViewport({...viewports.tablet, width : 1024, height : 768});
        await page.waitForFunction(() => innerWidth === 1024);
        await page.evaluate(() => new Promise((frame) => requestAnimationFrame(
                                () => requestAnimationFrame(frame)))); // laid out again
        const turned = await look();
        assert.ok(turned.share >= 0.85, `turned board ${JSON.stringify(turned)}`);
        await expectFit(page, 'turned');
        assert.equal((await greenSticks(page, board)).length, 15, 'the selection stays');
    },

    async 'a whole game through the accessibility tree alone, hearing the status line'(page) {
        await control(page, 'Fila 4, palito 7: est\u00E1');
        const find = (node, test) =>
            test(node) ? node : (node.children || []).map((c) => find(c, test)).find(Boolean);
        const dialog = async (name) => find(await page.accessibility.snapshot(),
                                            (n) => n.role === 'dialog' && n.name === name);
        const tree = await page.accessibility.snapshot();
        console.log(`  the board in the accessibility tree:\n    ${treeLines(tree).join('\n    ')}`);
        assert.ok((await dialog('Quillmere')).modal, 'the modal board');
        for (const name of [ 'Salir', 'IQ Ordanel: bajo', 'Ordanel Software', 'Tu' ])
            await control(page, name);
        // The status line: the live region that holds the question.
        const status = await find(tree, (n) => n.live === 'polite' &&
                                                n.children[0].name === whoStarts).elementHandle();
        const statusText = () => status.evaluate((element) => element.textContent);
        await listenToLiveRegions(page);
        assert.deepEqual(await axeViolations(page), [], 'axe-core on the board');

        // The rules, through the menu bar.
        await activate(page, 'Ayuda', 'menuitem');
        await activate(page, 'Reglas', 'menuitem');
        await control(page, 'Reglas del juego', 'dialog');
        assert.match((await dialog('Reglas del juego')).description, /^QUILLMERE, el juego/);
        assert.deepEqual(await axeViolations(page), [], 'axe-core with the rules open');
        await activate(page, 'OK');
        await page.waitForSelector('aria/Reglas del juego[role="dialog"]', {hidden : true});

        // The computer opens; one computer turn as it is announced.
        let from = (await heardSince(page, 0)).length;
        await activate(page, 'Ordanel Software');
        await page.waitForFunction((n, t) => window.heard.slice(n).includes(t), {timeout : 15000},
                                   from, yourTurn);
        const turn = await heardSince(page, from);
        console.log(`  one computer turn, announced: ${JSON.stringify(turn)}`);
        assert.deepEqual(turn.filter((t) => t === thinking || t === yourTurn),
                         [ thinking, yourTurn ]);

        // A refusal, through the keyboard: the mirror's focus is the game's.
        const sticks = async (state) =>
            (await dialog('Quillmere'))
                .children.filter((n) => n.role === 'button' && n.name.endsWith(state))
                .map((n) => n.name);
        const present = await sticks(': est\u00E1');
        const rowOf = (name) => name.split(',')[0];
        const [first, second] = [ present[0], present.find((n) => rowOf(n) !== rowOf(present[0])) ];
        await activate(page, first);
        await (await control(page, second)).focus();
        await page.waitForFunction(() => document.activeElement.getAttribute('aria-disabled'));
        await page.keyboard.press('Space');
        await page.waitForFunction((t) => window.heard.includes(t), {timeout : 5000},
                                   '\u00A1Solo de UNA linea horizontal!');
        await activate(page, first.replace(': est\u00E1', ': seleccionado'));

        // Then one stick a turn until the game ends with its message.
        let message = null;
        for (let turn = 0; turn < 20 && !message; ++turn) {
            const [stick] = await sticks(': est\u00E1');
            await activate(page, stick);
            await control(page, stick.replace(': est\u00E1', ': seleccionado'));
            from = (await heardSince(page, 0)).length;
            await activate(page, 'S\u00ED, remueveme estos');
            await page.waitForFunction(
                (n, t) => window.heard.slice(n).includes(t) ||
                          document.querySelector('[role="dialog"][aria-label="Fin del juego"]'),
                {timeout : 20000, polling : 20}, from, yourTurn);
            message = await page.$('aria/Fin del juego[role="dialog"]');
            assert.ok(message || (await statusText()) === yourTurn, await statusText());
        }
        assert.ok(message, 'the game ended');
        // The message says who won: the player, when the computer moved last.
        const computerMoved = (await heardSince(page, from)).includes(thinking);
        const ended = await dialog('Fin del juego');
        assert.ok(ended.modal, 'the modal message');
        assert.equal(ended.description,
                     computerMoved ? 'Bueno. Hm. Ganas. Esta vez.' : 'ORDANEL SOFTWARE GANO!!!');
        from = (await heardSince(page, 0)).length;
        await activate(page, 'OK');
        await page.waitForFunction((n, t) => window.heard.slice(n).includes(t), {timeout : 10000},
                                   from, whoStarts);
        assert.equal(await statusText(), whoStarts);
        assert.equal((await sticks(': est\u00E1')).length, 16);
    },
};

// The viewports the scenarios open in (the desktop's 1024 x 768 unless named here).
const viewports = {
    phone : {width : 390, height : 844, deviceScaleFactor : 3, isMobile : true, hasTouch : true},
    tablet : {width : 768, height : 1024, deviceScaleFactor : 2, isMobile : true, hasTouch : true},
};
const viewportOf = (name) => name.includes('phone')    ? viewports.phone
                             : name.includes('tablet') ? viewports.tablet
                                                       : {width : 1024, height : 768};

// A visit after the first plays from the service worker's cache; the page can be installed.
Object.assign(scenarios, {
    async 'a second visit plays a whole game with the network off'(page) {
        await page.evaluate(() => navigator.serviceWorker.ready);
        await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
        networkOff = true;
        try {
            await page.reload({waitUntil : 'load'});
            const board = await boardId(page);
            await playWholeGame(page, board, (item) => click(page, board, item));
        } finally {
            networkOff = false;
        }
    },

    async 'Chromium finds the page installable'(page) {
        const session = await page.createCDPSession();
        const {installabilityErrors} = await session.send('Page.getInstallabilityErrors');
        assert.deepEqual(installabilityErrors, []);
    },
});

const server = await serve(site);
const url = `http://127.0.0.1:${server.address().port}/`;
const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'quillmere-chromium-'));
const browser = await puppeteer.launch({
    executablePath : process.env.CHROMIUM || '/usr/bin/chromium',
    headless : true,
    userDataDir : profile,
    args : [
        '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
        '--disable-background-networking', '--disable-component-update', '--disable-sync'
    ],
});
let failed = 0;
try {
    for (const [name, scenario] of Object.entries(scenarios)) {
        const page = await browser.newPage();
        await page.setViewport(viewportOf(name));
        const problems = [];
        page.on('console', (m) => m.type() === 'error' && problems.push(m.text()));
        page.on('pageerror', (error) => problems.push(error.message));
        try {
            await page.goto(url, {waitUntil : 'load'});
            await scenario(page);
            const error = await page.evaluate(() => window.quillmere.error);
            assert.ok(!error && problems.length === 0,
                      `page reported: ${[error, ...problems].filter(Boolean).join('; ')}`);
            console.log(`ok: ${name}`);
        } catch (error) {
            ++failed;
            console.log(`FAIL: ${name}\n  ${error.message}`);
        }
        await page.close();
    }
} finally {
    await browser.close();
    server.close();
    fs.rmSync(profile, {recursive : true, force : true});
}
console.log(failed ? `${failed} of ${Object.keys(scenarios).length} scenarios failed`
                   : `all ${Object.keys(scenarios).length} scenarios passed`);
process.exit(failed ? 1 : 0);
