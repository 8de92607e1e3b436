// The page at its default settings and the floor page, one after the other,
// each in a headless Chromium of its own for SECONDS at WIDTH x HEIGHT: CPU of all the
// browser's processes, timer ticks per second, and the page's first pixel
// after its load event.
// Each runs ROUNDS times, alternating; the lowest CPU of a round that ticked
// at 80 % of the rate or more counts (the page pauses a second a figure), as
// other work on the machine only ever adds to it (a page the browser
// throttles ticks slower).
// Usage: node bench.mjs PAGE_DIR SECONDS WIDTH HEIGHT ROUNDS
import {readdirSync, readFileSync} from 'node:fs';
import path from 'node:path';
import {fileURLToPath} from 'node:url';

import {Browser, serve} from '../../testkit/web/browser.mjs';

const [pageDir, seconds, width, height, rounds] = process.argv.slice(2);
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
  const browser = await Browser.start();
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
  if (name === 'orbilux') {
    results[name].firstPixel = await tab.eval(`(() => {
      const load = performance.getEntriesByType('navigation')[0].loadEventStart;
      const first = performance.getEntriesByName('orbilux-first-pixel')[0];
      return first ? first.startTime - load : null; })()`);
  }
  if (tab.errors.length) console.log(`${name}: ${tab.errors.join('; ')}`);
  await browser.close();
}
page.close();
floor.close();
console.log(JSON.stringify(results));
