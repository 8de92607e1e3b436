// The page in headless Chromium: its pictures against orbilux-render's, the
// link, the panel and storage, the downloads and the saver mode.
// Usage: node web_test.mjs SUITE PAGE_DIR RENDER [SAVER]
//   SUITE: pixels, settings, downloads or saver. Exit status 77: skipped
//   (no browser, or it cannot start).
import {execFileSync} from 'node:child_process';
import {mkdtempSync, readFileSync, rmSync, writeFileSync} from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {inflateSync} from 'node:zlib';

import {Browser, serve} from '../../testkit/web/browser.mjs';

const [suite, pageDir, render, saver] = process.argv.slice(2);
const tmp = mkdtempSync(path.join(os.tmpdir(), 'orbilux-web-'));
let failures = 0, checks = 0;

function check(ok, what) {
  checks++;
  if (!ok) {
    failures++;
    console.log(`FAIL: ${what}`);
  }
}

// An 8-bit RGB PNG as orbilux-render writes it: width, height, RGB bytes.
function readPng(file) {
  const bytes = readFileSync(file);
  let offset = 8, width = 0, height = 0;
  const idat = [];
  while (offset < bytes.length) {
    const length = bytes.readUInt32BE(offset), type = bytes.toString('latin1', offset + 4, offset + 8);
    const body = bytes.subarray(offset + 8, offset + 8 + length);
    if (type === 'IHDR') {
      [width, height] = [body.readUInt32BE(0), body.readUInt32BE(4)];
      if (body[8] !== 8 || body[9] !== 2 || body[12] !== 0) throw new Error(`${file}: not 8-bit RGB`);
    } else if (type === 'IDAT') idat.push(body);
    offset += 12 + length;
  }
  const raw = inflateSync(Buffer.concat(idat)), stride = width * 3, rgb = Buffer.alloc(stride * height);
  for (let y = 0; y < height; y++) {
    const filter = raw[y * (stride + 1)], line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    for (let x = 0; x < stride; x++) {
      const a = x >= 3 ? rgb[y * stride + x - 3] : 0, b = y > 0 ? rgb[(y - 1) * stride + x] : 0;
      const c = x >= 3 && y > 0 ? rgb[(y - 1) * stride + x - 3] : 0;
      const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
      const predictor = [0, a, b, (a + b) >> 1, pa <= pb && pa <= pc ? a : pb <= pc ? b : c][filter];
      rgb[y * stride + x] = (line[x] + predictor) & 255;
    }
  }
  return {width, height, rgb};
}

function renderPng(run) {
  const file = path.join(tmp, 'render.png');
  const args = ['--seed', run.seed, '--width', run.width, '--height', run.height, '--ticks', run.ticks, '--png', file];
  for (const [name, value] of Object.entries(run.settings || {})) args.push('--setting', `${name}=${value}`);
  execFileSync(render, args.map(String));
  return readPng(file);
}

// The tick on which the first figure closes, from the renderer's trace.
function firstClosingTick(run) {
  const args = ['--seed', run.seed, '--width', run.width, '--height', run.height, '--ticks', 2000, '--trace', '-'];
  for (const [name, value] of Object.entries(run.settings || {})) args.push('--setting', `${name}=${value}`);
  let tick = 0;
  for (const line of execFileSync(render, args.map(String), {maxBuffer: 1 << 28}).toString().split('\n')) {
    if (line.startsWith('tick ')) tick = Number(line.slice(5));
    else if (line.startsWith('sleep ')) return tick;
  }
  throw new Error('no figure closed in 2000 ticks');
}

function differingPixels(page, expected) {
  if (page.width !== expected.width || page.height !== expected.height)
    return `size ${page.width} x ${page.height}, expected ${expected.width} x ${expected.height}`;
  let count = 0, first = '';
  for (let i = 0, j = 0; i < page.data.length; i += 4, j += 3) {
    if (page.data[i] !== expected.rgb[j] || page.data[i + 1] !== expected.rgb[j + 1] ||
        page.data[i + 2] !== expected.rgb[j + 2] || page.data[i + 3] !== 255) {
      if (!count++) first = ` (first at ${(i / 4) % page.width}, ${Math.floor(i / 4 / page.width)})`;
    }
  }
  return count === 0 ? '' : `${count} pixels differ${first}`;
}

function query(values) {
  return new URLSearchParams(Object.entries(values).map(([k, v]) => [k, String(v)])).toString();
}

const ALL_SHAPES = {ObjectShape: 510, ObjectRotation: 14};
const PIXEL_RUNS = [
  {seed: 1, width: 640, height: 480, ticks: 360},
  {seed: 7, width: 301, height: 199, ticks: 900, settings: {RadiusFactor: 0, JoinTheDots: 1}},
  {seed: 3, width: 333, height: 251, ticks: 400, settings: {RadiusFactor: 0, ColourOption: 50}},
  {seed: 12, width: 512, height: 384, ticks: 1100, settings: {...ALL_SHAPES, RadiusFactor: 12}},
  {seed: 11, width: 257, height: 255, ticks: 800, settings: {...ALL_SHAPES, ZoomOption: 1022, ColourOption: 30}},
  {seed: 5, width: 200, height: 300, ticks: 500, settings: {RadiusFactor: 150, ImagesPerSec: 0, ObjectShape: 0}},
  {seed: 9, width: 97, height: 61, ticks: 0},
  {seed: 4, width: 320, height: 240, closing: true, settings: {RadiusFactor: 0}},
];
// Five figures each: where the C library's sin, cos, exp or pow differed in
// the last bit between builds, a point moved by a pixel in one run in five.
const MIXES = [{}, {RadiusFactor: 0}, {RadiusFactor: 0, JoinTheDots: 1}, {...ALL_SHAPES, ZoomOption: 1022}];
for (let seed = 1000; seed < 1016; seed++)
  PIXEL_RUNS.push({seed, width: 320 + seed % 7, height: 240, ticks: 1800, settings: MIXES[seed % 4]});

const suites = {
  async pixels(browser, url) {
    for (const run of PIXEL_RUNS) {
      if (run.closing) run.ticks = firstClosingTick(run) + 1;
      const tab = await browser.open(`${url}?${query({...run.settings, seed: run.seed, width: run.width,
                                                      height: run.height, ticks: run.ticks})}`);
      const difference = differingPixels(await tab.pixels(), renderPng(run));
      check(!difference, `${JSON.stringify(run)}: ${difference}`);
      await finish(tab, JSON.stringify(run));
    }
    // Without a size, the canvas is the window in device pixels.
    const tab = await browser.open(`${url}?seed=2&ticks=300`, {width: 160, height: 120, scale: 2});
    const difference = differingPixels(await tab.pixels(), renderPng({seed: 2, width: 320, height: 240, ticks: 300}));
    check(!difference, `window of 160 x 120 at scale 2: ${difference}`);
    await finish(tab, 'window size');

    // Running live by its timer, across a figure's end and its pause: the
    // canvas right after a tick is the renderer's picture for that many ticks.
    const live = {seed: 8, width: 240, height: 180, settings: {RadiusFactor: 0, JoinTheDots: 1, ImagesPerSec: 1000}};
    const hook = `window.ticks = 0; window.afterTick = null; const setIntervalAlone = window.setInterval;
      window.setInterval = (f, ms) => setIntervalAlone(() => { f(); window.ticks++;
        const then = window.afterTick; window.afterTick = null; if (then) then(); }, ms);`;
    const running = await browser.open(`${url}?${query({...live.settings, seed: live.seed})}`,
                                       {width: live.width, height: live.height, script: hook});
    await running.until('window.ticks >= 400');
    const picture = await running.pixels('new Promise((resolve) => { afterTick = () => resolve(ticks); })');
    live.ticks = picture.value;
    const liveDifference = differingPixels(picture, renderPng(live));
    check(!liveDifference, `live after ${live.ticks} ticks: ${liveDifference}`);
    await finish(running, 'live');

    // The live gallery: every figure in its own module starts drawing.
    const gallery = await browser.open(`${url}gallery/`, {width: 1400, height: 1600});
    await gallery.until(`(() => { const all = [...document.querySelectorAll('canvas')];
      return all.length === 17 && all.every((c) => c.getContext('2d').getImageData(0, 0, 320, 240).data
        .some((v, i) => i % 4 !== 3 && v !== 0)); })()`);
    await finish(gallery, 'live gallery');
  },

  async settings(browser, url) {
    const given = {RadiusFactor: 0, ImagesPerSec: 25, JoinTheDots: 1, ObjectShape: 6, ObjectRotation: 12,
                   ColourOption: 30, ZoomOption: 290};
    let tab = await browser.open(`${url}?${query(given)}`);
    const linked = await tab.eval(`Object.fromEntries(new URL(document.getElementById('link').href).searchParams)`);
    check(JSON.stringify(linked) === JSON.stringify(Object.fromEntries(Object.entries(given).map(([k, v]) => [k, String(v)]))),
          `link round trip: ${JSON.stringify(linked)}`);
    const shown = await tab.eval(`[ImagesPerSec.value, RadiusFactor.value, JoinTheDots.checked,
      [...document.querySelectorAll('input:checked')].map((i) => i.parentNode.textContent.trim()).join(',')]`);
    check(JSON.stringify(shown) === JSON.stringify(['25', '0', true,
      'Connect Dots (if size zero),Circle,Square,Clockwise,Anti-Clockwise,Medium,Low,1 Phase,Start Small']),
          `panel shows the link: ${JSON.stringify(shown)}`);
    check(await tab.eval(`document.getElementById('notes').hidden`), 'good link values are not reported');

    // The panel's entries go through the dialog's checks, with its messages.
    const enter = (id, text) => tab.eval(`(() => { const e = document.getElementById('${id}'); e.value = '${text}';
      e.dispatchEvent(new Event('change')); return [e.value, document.getElementById('message').hidden,
      document.getElementById('message').textContent, new URL(location.href).searchParams.get('${id}')]; })()`);
    for (const [id, text, expected] of [
      ['ImagesPerSec', '0', ['25', false, 'Images Per Second: Entry must be between 1 and 1000', '25']],
      ['ImagesPerSec', '1001', ['25', false, 'Images Per Second: Entry must be between 1 and 1000', '25']],
      ['ImagesPerSec', '40', ['40', true, 'Images Per Second: Entry must be between 1 and 1000', '40']],
      ['ImagesPerSec', 'x', ['50', true, 'Images Per Second: Entry must be between 1 and 1000', '50']],
      ['RadiusFactor', '501', ['0', false, 'Circle Radius: Entry must be between 0 and 500 %', '0']],
      ['RadiusFactor', '-1', ['0', false, 'Circle Radius: Entry must be between 0 and 500 %', '0']],
      ['RadiusFactor', '500', ['500', true, 'Circle Radius: Entry must be between 0 and 500 %', '500']],
      ['RadiusFactor', '', ['8', true, 'Circle Radius: Entry must be between 0 and 500 %', '8']],
    ]) {
      const got = await enter(id, text);
      check(JSON.stringify(got) === JSON.stringify(expected), `entry ${id}=${JSON.stringify(text)}: ${JSON.stringify(got)}`);
    }
    // A check box: the dialog's save rules (no shape at all stores the circle).
    await tab.eval(`(() => { for (const i of ObjectShape.querySelectorAll('input')) i.checked = false;
      ObjectShape.dispatchEvent(new Event('change', {bubbles: true})); })()`);
    check(await tab.eval(`new URL(location.href).searchParams.get('ObjectShape')`) === '2', 'no shape stores the circle');
    await finish(tab, 'settings link');

    // The browser keeps the panel's choices for a visit without a link.
    tab = await browser.open(url);
    const kept = await tab.eval(`[ImagesPerSec.value, RadiusFactor.value,
      new URL(document.getElementById('link').href).searchParams.get('ObjectShape')]`);
    check(JSON.stringify(kept) === JSON.stringify(['50', '8', '2']), `kept in the browser: ${JSON.stringify(kept)}`);
    await finish(tab, 'kept settings');

    // Bad link values load as the registry's would, and the page names them.
    tab = await browser.open(`${url}?ImagesPerSec=0&RadiusFactor=abc&JoinTheDots=1&ObjectShape=0x&ColourOption=-5&seed=-1`);
    const notes = await tab.eval(`document.getElementById('notes').textContent`);
    check(notes === "The saver's load rules replaced: RadiusFactor=abc was replaced by 8; ImagesPerSec=0 was replaced " +
          'by 50; JoinTheDots=1 was replaced by 0; ObjectShape=0x was replaced by 2. Ignored: seed=-1 (not a number ' +
          'from 0 to 4294967295).', `bad values: ${notes}`);
    check(await tab.eval(`new URL(document.getElementById('link').href).searchParams.get('ColourOption')`) === '4294967291',
          'a negative colour is stored as the registry holds it');
    await finish(tab, 'bad link');
  },

  async downloads(browser, url) {
    const folder = path.join(tmp, 'downloads');
    await browser.send('Browser.setDownloadBehavior', {behavior: 'allowAndName', downloadPath: folder, eventsEnabled: true});
    const given = {RadiusFactor: 0, ImagesPerSec: 40, JoinTheDots: 1, ObjectShape: 300, ObjectRotation: 8,
                   ColourOption: 50, ZoomOption: 0x3a2};
    const tab = await browser.open(`${url}?${query(given)}`);
    const files = {};
    for (const button of ['windows', 'linux']) {
      const done = browser.event('Browser.downloadProgress', undefined, (p) => p.state !== 'inProgress');
      const begun = browser.event('Browser.downloadWillBegin');
      await tab.eval(`document.getElementById('${button}').click()`);
      const {guid, suggestedFilename} = await begun;
      const progress = await done;
      check(progress.state === 'completed', `${button} download: ${progress.state}`);
      files[button] = {name: suggestedFilename, text: readFileSync(path.join(folder, guid)).toString('latin1')};
    }
    check(files.windows.name === 'orbilux.reg' && files.linux.name === 'settings',
          `file names ${files.windows.name}, ${files.linux.name}`);
    check(files.windows.text.startsWith('REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\software\\plorvex\\orbx_ss\\Settings]\r\n'),
          `.reg header: ${JSON.stringify(files.windows.text.slice(0, 80))}`);
    await finish(tab, 'downloads');

    // The Windows saver's key, through Wine's own reg import and query.
    if (process.env.WINEPREFIX) {
      const reg = path.join(tmp, 'orbilux.reg');
      writeFileSync(reg, files.windows.text, 'latin1');
      const wine = (...args) => execFileSync('wine', args, {env: {...process.env, WINEDEBUG: '-all'}}).toString();
      wine('reg', 'import', reg);
      const listed = wine('reg', 'query', 'HKCU\\software\\plorvex\\orbx_ss\\Settings');
      for (const [name, value] of Object.entries(given)) {
        const line = listed.split(/\r?\n/).find((l) => l.trim().startsWith(name + ' '));
        check(line && /REG_DWORD/.test(line) && Number(line.trim().split(/\s+/).pop()) === value,
              `registry ${name}: ${line}`);
      }
    } else {
      console.log('note: no Wine prefix (WINEPREFIX unset): the .reg import is not run');
    }

    // The Linux saver reads every line of its file without a complaint, and the
    // values are the stored ones.
    const settingsFile = path.join(tmp, 'settings');
    writeFileSync(settingsFile, files.linux.text);
    const expected = Object.entries(given).map(([k, v]) => `${k}=${v}`).join('\n');
    check(files.linux.text.split('\n').filter((l) => l && !l.startsWith('#')).join('\n') === expected,
          `Linux file: ${files.linux.text}`);
    if (saver) {
      let message = '';
      try {
        execFileSync(saver, ['-settings', settingsFile, '-seed', '1'], {env: {PATH: process.env.PATH}, stdio: 'pipe'});
      } catch (e) {
        message = e.stderr.toString().trim();
      }
      // Its only complaint is the missing display: every line was taken.
      check(/^orbilux: cannot open display[^\n]*$/.test(message), `orbilux with the file: ${message}`);
    }
  },

  async saver(browser, url, server) {
    const tab = await browser.open(url);
    // A resize refits the canvas to the window in device pixels.
    await tab.send('Emulation.setDeviceMetricsOverride', {width: 640, height: 480, deviceScaleFactor: 1.5, mobile: false});
    await tab.until(`document.getElementById('figure').width === 960`);
    check(await tab.eval(`document.getElementById('figure').height`) === 720, 'resized to 960 x 720');
    const mouse = (type, x, y, extra = {}) => tab.send('Input.dispatchMouseEvent', {type, x, y, ...extra});
    // Starts the saver with a click on its button, once the last one's full
    // screen has gone (the page's layout moves until then). The browser may
    // report the pointer where it stands as the saver starts, so travel is
    // counted from the click.
    const start = async () => {
      await tab.until('document.fullscreenElement === null');
      await mouse('mouseMoved', 100, 100);
      const [x, y] = await tab.eval(`(() => { const button = document.getElementById('saver');
        button.scrollIntoView();
        const r = button.getBoundingClientRect();
        return [r.x + r.width / 2, r.y + r.height / 2]; })()`);
      await mouse('mouseMoved', x, y);
      await mouse('mousePressed', x, y, {button: 'left', clickCount: 1});
      await mouse('mouseReleased', x, y, {button: 'left', clickCount: 1});
      await tab.until(`document.body.dataset.saver === 'on'`);
      await mouse('mouseMoved', x, y);  // the reference point, if none came yet
      return [x, y];
    };
    const state = () => tab.eval(`document.body.dataset.saver`);

    await start();
    await tab.send('Input.dispatchKeyEvent', {type: 'keyDown', key: 'a', code: 'KeyA', text: 'a'});
    check(await state() === 'off', 'a key ends the saver');

    let [x, y] = await start();
    await mouse('mouseMoved', x + 1, y + 1);
    await mouse('mouseMoved', x + 2, y + 2);  // travel 4: within the threshold
    check(await state() === 'on', 'travel of 4 keeps the saver');
    await mouse('mouseMoved', x + 2, y + 3);  // travel 5
    check(await state() === 'off', 'travel of 5 ends the saver');

    [x, y] = await start();
    await mouse('mousePressed', x, y, {button: 'right', clickCount: 1});
    check(await state() === 'off', 'a click ends the saver');

    // Once its service worker holds the files, the page opens without the server.
    await tab.until('navigator.serviceWorker.controller !== null');
    await tab.eval('navigator.serviceWorker.ready.then(() => true)');
    server.close();
    await tab.go(`${url}?seed=3`);
    check(await tab.eval(`document.getElementById('figure').width`) === 960, 'offline: the page runs');
    await finish(tab, 'saver');
  },
};

async function finish(tab, what) {
  check(tab.errors.length === 0, `${what}: ${tab.errors.join('; ')}`);
  await tab.close();
}

let browser;
try {
  browser = await Browser.start();
} catch (e) {
  console.log(`SKIP: headless Chromium cannot start: ${e.message}`);
  rmSync(tmp, {recursive: true, force: true});
  process.exit(77);
}
const server = await serve(path.resolve(pageDir));
try {
  await suites[suite](browser, server.url, server);
} catch (e) {
  failures++;
  console.log(`FAIL: ${e.stack}`);
} finally {
  await browser.close();
  server.close();
  rmSync(tmp, {recursive: true, force: true});
}
console.log(`${suite}: ${checks - failures} of ${checks} checks passed`);
process.exit(failures ? 1 : 0);
