// The web page's benchmark, run on demand (scripts/web-bench.sh): serves the site with
// scripts/serve.py and, in Debian's Chromium, times it on a phone over Chromium's "Slow 4G" with
// the CPU slowed 4 times (first paint, when the module's download starts, the board on screen;
// median of the runs), times the game's pauses on a desktop, audits the page with Lighthouse
// (mobile and desktop) and axe-core, and prints the figures.
// Usage: node bench.mjs <site folder> [--runs N]
import {spawn} from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import {fileURLToPath} from 'node:url';
import lighthouse from 'lighthouse';
import desktopConfig from 'lighthouse/core/config/desktop-config.js';
import puppeteer, {PredefinedNetworkConditions} from 'puppeteer-core';

const here = path.dirname(fileURLToPath(import.meta.url));
const site = path.resolve(process.argv[2] || 'site');
const runsAt = process.argv.indexOf('--runs');
const runs = runsAt > 0 ? Number(process.argv[runsAt + 1]) : 3;
const server = path.join(here, 'serve.py'); // scripts/serve.py, copied beside this file
const phone = {width : 390, height : 844, deviceScaleFactor : 3, isMobile : true, hasTouch : true};

function median(values) {
    const sorted = [...values ].sort((a, b) => a - b);
    return sorted[Math.floor(sorted.length / 2)];
}

function startServer() {
    const child = spawn('python3', [ server, site, '0' ], {stdio : [ 'ignore', 'pipe', 'inherit' ]});
    return new Promise((resolve, reject) => {
        child.on('error', reject);
        child.stdout.on('data', (chunk) => {
            const found = /http:\/\/[0-9.]+:[0-9]+\//.exec(String(chunk));
            if (found)
                resolve({child, url : found[0]});
        });
    });
}

const boardShown = (page) => page.waitForFunction(
    () => window.quillmere && window.quillmere.boardShownAt !== null, {timeout : 60000});

// One visit on a fresh profile (no cache, no service worker) over Slow 4G with a 4x slower CPU.
async function slowVisit(browser, url) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    await page.setViewport(phone);
    await page.emulateNetworkConditions(PredefinedNetworkConditions['Slow 4G']);
    await page.emulateCPUThrottling(4);
    await page.evaluateOnNewDocument(() => {
        window.longTasks = [];
        new PerformanceObserver((list) => window.longTasks.push(
                                    ...list.getEntries().map((entry) => entry.duration)))
            .observe({type : 'longtask', buffered : true});
    });
    await page.goto(url, {waitUntil : 'load', timeout : 60000});
    await boardShown(page);
    await new Promise((resolve) => setTimeout(resolve, 500)); // for the paint entries
    const times = await page.evaluate(() => ({
        paint : (performance.getEntriesByName('first-contentful-paint')[0] || {startTime : NaN})
                    .startTime,
        module : performance.getEntriesByType('resource')
                     .find((entry) => entry.name.endsWith('quillmere.wasm'))
                     .startTime,
        board : window.quillmere.boardShownAt,
        // The longest task of the main thread from the start to the board.
        task : Math.max(0, ...window.longTasks)
    }));
    await context.close();
    return times;
}

// The pause and the removal animation of one move, and a page timer meanwhile, unthrottled.
async function pauses(browser, url) {
    const page = await browser.newPage();
    await page.setViewport({width : 1024, height : 768});
    await page.goto(url, {waitUntil : 'load'});
    await boardShown(page);
    const loaded = await page.evaluate(() => window.quillmere.boardShownAt -
                                             window.quillmere.loadedAt);
    const press = async (item) => {
        const point = await page.evaluate((it) => {
            const q = window.quillmere;
            const w = [...q.windows.values() ].find((r) => r.text === 'Quillmere' &&
                                                           (r.flags & 3) === 1);
            const [left, top, right, bottom] = q.itemRect(w.id, it);
            const box = w.canvas.getBoundingClientRect();
            const scale = box.width / (w.pixels || w.canvas).width; // (an older page: canvas)
            return {x : box.left + (left + right) / 2 * scale,
                    y : box.top + (top + bottom) / 2 * scale};
        }, item);
        await page.mouse.click(point.x, point.y);
    };
    await press(1017); // the player starts
    await new Promise((resolve) => setTimeout(resolve, 200));
    await press(1016);
    await page.evaluate(() => {
        window.ticks = [];
        window.ticker = setInterval(() => window.ticks.push(performance.now()), 50);
    });
    await press(1009);
    await page.waitForFunction(() => window.quillmere.sleeps.some((s) => s.asked === 2000) &&
                                     window.quillmere.sleeps.length > 3, {timeout : 15000});
    await new Promise((resolve) => setTimeout(resolve, 1500));
    const result = await page.evaluate(() => {
        clearInterval(window.ticker);
        const gaps = window.ticks.slice(1).map((t, i) => t - window.ticks[i]);
        return {sleeps : window.quillmere.sleeps, gap : Math.max(...gaps)};
    });
    await page.close();
    const pause = result.sleeps.find((s) => s.asked === 2000);
    const frames = result.sleeps.filter((s) => s !== pause);
    return {
        loaded,
        pause : pause.took,
        asked : frames.reduce((sum, s) => sum + s.asked, 0),
        took : frames.reduce((sum, s) => sum + s.took, 0),
        gap : result.gap
    };
}

async function audit(browser, url, config) {
    const port = Number(new URL(browser.wsEndpoint()).port);
    const result = await lighthouse(url, {port, output : 'json', logLevel : 'error'}, config);
    const scores = {};
    for (const [name, category] of Object.entries(result.lhr.categories))
        scores[name] = Math.round(category.score * 100);
    // The audits that cost a category points.
    const failing = [];
    for (const [name, category] of Object.entries(result.lhr.categories))
        for (const ref of category.auditRefs) {
            const a = result.lhr.audits[ref.id];
            if (ref.weight > 0 && a.score !== null && a.score < 1)
                failing.push(`${name}: ${a.id} ${a.displayValue || a.score}`);
        }
    const metrics = ['first-contentful-paint', 'largest-contentful-paint', 'total-blocking-time',
                     'cumulative-layout-shift', 'speed-index' ]
                        .map((id) => `${id} ${result.lhr.audits[id].displayValue}`);
    return {scores, failing, metrics};
}

async function axe(browser, url) {
    const page = await browser.newPage();
    await page.setViewport(phone);
    await page.goto(url, {waitUntil : 'load'});
    await boardShown(page);
    await page.addScriptTag({path : path.join(here, 'node_modules/axe-core/axe.min.js')});
    const violations = await page.evaluate(async () => (await window.axe.run()).violations.map(
                                               (v) => `${v.id}: ${v.nodes.length} nodes`));
    await page.close();
    return violations;
}

const {child, url} = await startServer();
const browser = await puppeteer.launch({
    executablePath : process.env.CHROMIUM || '/usr/bin/chromium',
    headless : true,
    args : [ '--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking' ],
});
try {
    const visits = [];
    for (let i = 0; i < runs; ++i)
        visits.push(await slowVisit(browser, url));
    const show = (key) => `${median(visits.map((v) => v[key])).toFixed(0)} ms (` +
                          visits.map((v) => v[key].toFixed(0)).join(', ') + ')';
    console.log(`Slow 4G, CPU 4x slower, phone, median of ${runs}:`);
    console.log(`  first paint ${show('paint')}; module requested at ${show('module')}`);
    console.log(`  board on screen ${show('board')}; longest main-thread task ${show('task')}`);
    const timing = await pauses(browser, url);
    console.log(`Unthrottled desktop: board on screen ${timing.loaded.toFixed(1)} ms after the ` +
                `load event; the 2000 ms pause took ${timing.pause.toFixed(1)} ms; animation ` +
                `frames of ${timing.asked} ms took ${timing.took.toFixed(1)} ms; a 50 ms page ` +
                `timer's longest gap meanwhile ${timing.gap.toFixed(1)} ms`);
    for (const [form, config] of [['mobile', undefined], ['desktop', desktopConfig]]) {
        const {scores, failing, metrics} = await audit(browser, url, config);
        console.log(`Lighthouse ${form}: ${JSON.stringify(scores)}`);
        console.log(`  ${metrics.join('; ')}`);
        if (failing.length)
            console.log(`  not passed: ${failing.join('; ')}`);
    }
    const violations = await axe(browser, url);
    console.log(`axe-core: ${violations.length ? violations.join('; ') : 'no violation'}`);
} finally {
    await browser.close();
    child.kill();
}
