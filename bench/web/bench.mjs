// The page at its default settings and the floor page, one after the other,
// each in a headless Chromium of its own for SECONDS at WIDTH x HEIGHT: CPU of all the
// browser's processes and timer ticks per second.
// Each runs ROUNDS times, alternating; the lowest CPU of a round that ticked
// at 80 % of the rate or more counts (the page pauses a second a figure), as
// other work on the machine only ever adds to it (a page the browser
// throttles ticks slower).
// Then the page's first pixel after its load event (the canvas holds the
// first point), and the frame that shows it, in LOADS loads, each in a new
// tab of one browser with its cache off.
// Usage: node bench.mjs PAGE_DIR SECONDS WIDTH HEIGHT ROUNDS LOADS
import {readdirSync, readFileSync} from 'node:fs';
import path from 'node:path';
import {fileURLToPath} from 'node:url';

import {serve, startBrowser} from '../../testkit/web/browser.mjs';

const [pageDir, seconds, width, height, rounds, loads] = process.argv.slice(2);
const here = path.dirname(fileURLToPath(import.meta.url));

// Run time in nanoseconds of every thread of `root` and its descendants.
function treeCpu(root) {
  const parent = new Map();
  for (const pid of readdirSync('/proc').filter((p) => /^\d+$/.test(p))) {
    try {
      const stat = readFileSync(`/proc/${pid}/stat`, 'latin1');
      parent.set(Number(pid), Number(stat.slice(stat.lastIndexOf(')') + 2).split(' ')[1]));
    } catch (e) { /* gone */ }
  }
  const tree = new Set([root]);
  for (let grown = true; grown;) {
    grown = false;
    for (const [pid, ppid] of parent) {
      if (tree.has(ppid) && !tree.has(pid)) { tree.add(pid); grown = true; }
    }
  }
  let ns = 0;
  for (const pid of tree) {
    try {
      for (const task of readdirSync(`/proc/${pid}/task`))
        ns += Number(readFileSync(`/proc/${pid}/task/${task}/schedstat`, 'latin1').split(' ')[0]);
    } catch (e) { /* gone */ }
  }
  return ns;
}

const page = await serve(path.resolve(pageDir)), floor = await serve(here);
const size = {width: Number(width), height: Number(height)};
// Counts every interval timer's calls: both pages tick by setInterval.
const COUNT_TICKS = `window.ticks = 0; const setIntervalAlone = window.setInterval;
  window.setInterval = (f, ms) => setIntervalAlone(() => { window.ticks++; f(); }, ms);`;
const results = {orbilux: {cpu: Infinity}, floor: {cpu: Infinity}};
for (let round = 0; round < Number(rounds); round++)
for (const [name, url] of [['orbilux', `${page.url}?seed=1`], ['floor', `${floor.url}floor.html`]]) {
  // A browser of its own for each run: one page's state does not carry over.
  const browser = await startBrowser('chromium');
  const tab = await browser.open(url, {...size, script: COUNT_TICKS});
  const ticks = await tab.eval('ticks');
  const before = treeCpu(browser.child.pid), start = process.hrtime.bigint();
  await tab.eval(`new Promise((resolve) => setTimeout(resolve, ${Number(seconds) * 1000}))`);
  const elapsed = Number(process.hrtime.bigint() - start);
  const cpu = (treeCpu(browser.child.pid) - before) / elapsed * 100;
  const rate = (await tab.eval('ticks') - ticks) / elapsed * 1e9;
  console.log(`${name}: CPU ${cpu.toFixed(1)} %, ${rate.toFixed(1)} ticks/s`);
  if (rate >= 40 && cpu < results[name].cpu)
    Object.assign(results[name], {cpu, rate});
  if (tab.errors.length) console.log(`${name}: ${tab.errors.join('; ')}`);
  await browser.close();
}

// The first pixel: a new tab for each load, the browser's cache off.
const FIRST_PIXEL = `new Promise((resolve) => { const look = () => {
  const load = performance.getEntriesByType('navigation')[0]?.loadEventStart;
  const [pixel, frame] = ['orbilux-first-pixel', 'orbilux-first-frame'].map((n) => performance.getEntriesByName(n)[0]);
  if (load && pixel && frame) resolve([pixel.startTime - load, frame.startTime - load]);
  else setTimeout(look, 10); }; look(); })`;
const browser = await startBrowser('chromium');
results.firstPixel = [];
results.firstFrame = [];
for (let load = 0; load < Number(loads); load++) {
  const tab = await browser.open(null, size);
  await tab.send('Network.enable');
  await tab.send('Network.setCacheDisabled', {cacheDisabled: true});
  await tab.go(`${page.url}?seed=1`);
  const [pixel, frame] = await tab.eval(FIRST_PIXEL);
  results.firstPixel.push(pixel);
  results.firstFrame.push(frame);
  if (tab.errors.length) console.log(`first pixel: ${tab.errors.join('; ')}`);
  await tab.close();
}
await browser.close();
page.close();
floor.close();
console.log(JSON.stringify(results));
