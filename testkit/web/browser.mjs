// Headless browsers for the page's tests, with no npm package: Chromium over
// the DevTools protocol on its own pipe, Firefox over WebDriver BiDi on a
// WebSocket (websocket.mjs beside it); and a static server on 127.0.0.1.
// Both give tabs with the same calls: open, go, eval, until, pixels, keys,
// screenshot, errors, close.
//
// Every wait has a limit. Profiles live in the temp folder as
// orbilux-<engine>-<PID>-*: a run that was killed (ctest kills on timeout)
// leaves its own behind, and the next start removes those of runs that are
// gone, with any browser still running in them. Firefox is started under
// `timeout`, so a browser whose test died ends within LIFETIME_S anyway.
import {spawn} from 'node:child_process';
import {createReadStream, existsSync, mkdtempSync, readdirSync, readFileSync, rmSync, statSync,
        writeFileSync} from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';

import {WebSocketClient} from './websocket.mjs';

const TYPES = {'.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm',
               '.svg': 'image/svg+xml', '.webmanifest': 'application/manifest+json'};
const LIFETIME_S = 1800;
// The page's state: 'ready' or 'failed' once settled, 'drawing' while a
// still picture runs.
const SETTLED = (early) => early ? 'document.body.dataset.state' : "/^(ready|failed)$/.test(document.body.dataset.state)";
const WAIT_MS = 60000;

// Serves `root`; a path in `missing` answers 404 as if it were not there.
export function serve(root, {missing = []} = {}) {
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    let file = path.join(root, name);
    if (file.endsWith('/')) file += 'index.html';
    if (missing.includes(name) || !file.startsWith(root) || !existsSync(file) || !statSync(file).isFile()) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, {'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream'});
    createReadStream(file).pipe(response);
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () =>
    resolve({url: `http://127.0.0.1:${server.address().port}/`,
             close: () => { server.close(); server.closeAllConnections(); }})));
}

// `promise`, or a rejection naming `what` after `ms`.
export function within(promise, what, ms = WAIT_MS) {
  let timer;
  const late = new Promise((resolve, reject) => {
    timer = setTimeout(() => reject(new Error(`no answer within ${ms / 1000} s: ${what}`)), ms);
  });
  return Promise.race([promise, late]).finally(() => clearTimeout(timer));
}

const alive = (pid) => {
  try { process.kill(pid, 0); return true; } catch (e) { return e.code === 'EPERM'; }
};

// A temp folder `prefix-PID-XXXXXX` of this process, after removing those
// of earlier runs that are gone, and ending the processes that still run in
// them (found by the folder on their command line).
export function freshTempFolder(prefix) {
  const tmp = os.tmpdir(), pattern = new RegExp(`^${prefix}-(\\d+)-`);
  for (const name of readdirSync(tmp)) {
    const match = pattern.exec(name);
    if (!match || alive(Number(match[1]))) continue;
    const folder = path.join(tmp, name);
    for (const pid of readdirSync('/proc').filter((p) => /^\d+$/.test(p))) {
      try {
        if (readFileSync(`/proc/${pid}/cmdline`, 'latin1').includes(folder)) process.kill(Number(pid), 'SIGKILL');
      } catch (e) { /* gone, or not ours to end */ }
    }
    rmSync(folder, {recursive: true, force: true, maxRetries: 5});
  }
  return mkdtempSync(path.join(tmp, `${prefix}-${process.pid}-`));
}

// The browser named by ORBILUX_BROWSER's engine: 'chromium' or 'firefox'.
export async function startBrowser(engine) {
  return engine === 'firefox' ? Firefox.start() : Chromium.start();
}

// A tab's common calls, on top of each engine's eval.
class TabBase {
  constructor() {
    this.errors = [];
  }

  // Waits in the page until `condition` holds; a page that never gets there
  // fails with the condition named after 60 s rather than hanging the suite.
  until(condition) {
    return this.eval(`new Promise((resolve, reject) => { const end = Date.now() + ${WAIT_MS};
      const check = () => (${condition}) ? resolve(true) : Date.now() > end ?
        reject(new Error(${JSON.stringify('never came: ' + condition)})) : setTimeout(check, 10);
      check(); })`);
  }

  // The canvas's pixels: width, height and RGBA bytes, read as soon as the
  // promise `when` settles, with what it gave as `value`.
  async pixels(when = 'Promise.resolve()') {
    const [width, height, data, value] = await this.eval(`(${when}).then((value) => {
      const c = document.getElementById('figure');
      const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
      let s = '';
      for (let i = 0; i < d.length; i += 32768) s += String.fromCharCode.apply(null, d.subarray(i, i + 32768));
      return [c.width, c.height, btoa(s), value];
    })`);
    return {width, height, data: Buffer.from(data, 'base64'), value};
  }

  // Clicks the middle of the element `selector` after scrolling it into view.
  async clickOn(selector) {
    const [x, y] = await this.eval(`(() => { const e = document.querySelector(${JSON.stringify(selector)});
      e.scrollIntoView({block: 'nearest'}); const r = e.getBoundingClientRect();
      return [r.x + r.width / 2, r.y + r.height / 2]; })()`);
    await this.click(x, y);
  }
}

// What both browsers share: requests numbered and answered by id, other
// messages for the listeners, and every request failed when the browser goes.
class BrowserBase {
  constructor(engine, child, profile) {
    this.engine = engine;
    this.child = child;
    this.profile = profile;
    this.nextId = 1;
    this.waiting = new Map();
    this.listeners = [];
  }

  // Sends a request with `write(id)`; resolves with its answer.
  request(method, write) {
    const id = this.nextId++;
    write(id);
    return within(new Promise((resolve, reject) => this.waiting.set(id, {resolve, reject})), method);
  }

  // An answer (its error as the engine says it, or null) or another message.
  receive(message) {
    if (message.id && this.waiting.has(message.id)) {
      const {resolve, reject} = this.waiting.get(message.id);
      this.waiting.delete(message.id);
      const error = this.errorOf(message);
      if (error) reject(new Error(error));
      else resolve(message.result);
      return;
    }
    for (const listener of this.listeners) listener(message);
  }

  fail(error) {
    for (const {reject} of this.waiting.values()) reject(error);
    this.waiting.clear();
  }
}

export class Chromium extends BrowserBase {
  // Starts Chromium; rejects when it cannot be started.
  static async start(executable = process.env.ORBILUX_CHROMIUM || '/usr/bin/chromium') {
    if (!existsSync(executable)) throw new Error(`no Chromium at ${executable}`);
    const profile = freshTempFolder('orbilux-chromium');
    // With its pipe closed (the test ended or was killed) Chromium ends too.
    const child = spawn(executable, [
      '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--remote-debugging-pipe', `--user-data-dir=${profile}`, 'about:blank',
    ], {stdio: ['ignore', 'ignore', 'pipe', 'pipe', 'pipe']});
    const browser = new Chromium(child, profile);
    try {
      await within(browser.send('Browser.getVersion'), 'Chromium starting');
    } catch (e) {
      await browser.close();
      throw e;
    }
    return browser;
  }

  constructor(child, profile) {
    super('chromium', child, profile);
    this.stderr = '';
    let buffered = '';
    child.stderr.on('data', (data) => { this.stderr = (this.stderr + data).slice(-4000); });
    // A browser that ends early breaks its pipes: its exit tells the callers.
    for (const stream of [child.stdio[3], child.stdio[4]]) stream.on('error', () => {});
    child.on('error', () => {});
    child.stdio[4].on('data', (data) => {
      buffered += data;
      let end;
      while ((end = buffered.indexOf('\0')) >= 0) {
        this.receive(JSON.parse(buffered.slice(0, end)));
        buffered = buffered.slice(end + 1);
      }
    });
    this.exited = new Promise((resolve) => child.on('exit', resolve));
    this.exited.then(() => this.fail(new Error(`browser ended: ${this.stderr}`)));
  }

  errorOf(message) {
    return message.error ? JSON.stringify(message.error) : null;
  }

  send(method, params = {}, sessionId = undefined) {
    return this.request(method,
                        (id) => this.child.stdio[3].write(JSON.stringify({id, method, params, sessionId}) + '\0'));
  }

  // The next event `method` (of `sessionId`, if given) that `accept` takes.
  event(method, sessionId, accept = () => true) {
    return within(new Promise((resolve) => {
      const listener = (message) => {
        if (message.method === method && (!sessionId || message.sessionId === sessionId) && accept(message.params)) {
          this.listeners.splice(this.listeners.indexOf(listener), 1);
          resolve(message.params);
        }
      };
      this.listeners.push(listener);
    }), method);
  }

  // A new tab with the given window size in CSS pixels and device scale
  // (`mobile`: as a phone lays out). `script` runs in the page before its own.
  // `early`: the page may still be drawing (see go).
  async open(url, {width = 800, height = 600, scale = 1, mobile = false, script = '', early = false} = {}) {
    const {targetId} = await this.send('Target.createTarget', {url: 'about:blank'});
    const {sessionId} = await this.send('Target.attachToTarget', {targetId, flatten: true});
    const tab = new ChromiumTab(this, sessionId, targetId);
    await tab.send('Runtime.enable');
    await tab.send('Log.enable');
    await tab.send('Page.enable');
    await tab.resize(width, height, scale, mobile);
    if (script) await tab.send('Page.addScriptToEvaluateOnNewDocument', {source: script});
    if (url) await tab.go(url, early);  // none: a blank tab to set up first
    return tab;
  }

  async close() {
    // Asked to close, the browser ends its helpers first; a kill is the fallback.
    this.send('Browser.close').catch(() => this.child.kill('SIGKILL'));
    await within(this.exited, 'Chromium closing', 20000).catch(() => {
      this.child.kill('SIGKILL');
      return within(this.exited, 'Chromium killed', 20000);
    });
    // A helper process may still write its last files into the profile.
    rmSync(this.profile, {recursive: true, force: true, maxRetries: 10});
  }
}

class ChromiumTab extends TabBase {
  constructor(browser, sessionId, targetId) {
    super();
    this.browser = browser;
    this.sessionId = sessionId;
    this.targetId = targetId;
    browser.listeners.push((message) => {
      if (message.sessionId !== sessionId) return;
      const p = message.params;
      if (message.method === 'Runtime.exceptionThrown')
        this.errors.push(`exception: ${p.exceptionDetails.exception?.description || p.exceptionDetails.text}`);
      else if (message.method === 'Runtime.consoleAPICalled' && (p.type === 'error' || p.type === 'assert'))
        this.errors.push(`console ${p.type}: ${p.args.map((a) => a.value ?? a.description).join(' ')}`);
      else if (message.method === 'Log.entryAdded' && p.entry.level === 'error')
        this.errors.push(`log: ${p.entry.text} ${p.entry.url || ''}`);
    });
  }

  send(method, params = {}) {
    return this.browser.send(method, params, this.sessionId);
  }

  resize(width, height, scale = 1, mobile = false) {
    return this.send('Emulation.setDeviceMetricsOverride', {width, height, deviceScaleFactor: scale, mobile});
  }

  // Loads `url` and waits until the page says it is ready or failed (or,
  // `early`, drawing a still picture).
  async go(url, early = false) {
    const loaded = this.browser.event('Page.loadEventFired', this.sessionId);
    await this.send('Page.navigate', {url});
    await loaded;
    await this.until(SETTLED(early));
  }

  async eval(expression) {
    const result = await this.send('Runtime.evaluate', {expression, returnByValue: true, awaitPromise: true});
    if (result.exceptionDetails)
      throw new Error(`${expression}: ${result.exceptionDetails.exception?.description || result.exceptionDetails.text}`);
    return result.result.value;
  }

  // Typed keys: each character of `text`, or one named key ('Enter').
  async keys(text) {
    const named = {Enter: ['\r', 13], Tab: ['', 9]};
    for (const key of named[text] ? [text] : [...text]) {
      // A virtual key code only where it is the character's own (46 would be Delete).
      const [typed, code] = named[key] || [key, /[a-z0-9]/i.test(key) ? key.toUpperCase().charCodeAt(0) : 0];
      await this.send('Input.dispatchKeyEvent', {type: 'keyDown', key, text: typed, windowsVirtualKeyCode: code});
      await this.send('Input.dispatchKeyEvent', {type: 'keyUp', key, windowsVirtualKeyCode: code});
    }
  }

  async click(x, y, button = 'left') {
    await this.send('Input.dispatchMouseEvent', {type: 'mouseMoved', x, y});
    await this.send('Input.dispatchMouseEvent', {type: 'mousePressed', x, y, button, clickCount: 1});
    await this.send('Input.dispatchMouseEvent', {type: 'mouseReleased', x, y, button, clickCount: 1});
  }

  async screenshot(file) {
    const {data} = await this.send('Page.captureScreenshot', {format: 'png'});
    writeFileSync(file, Buffer.from(data, 'base64'));
  }

  async close() {
    await this.browser.send('Target.closeTarget', {targetId: this.targetId});
  }
}

// Preferences for a quiet headless Firefox: no first-run pages, no updates,
// no network beyond the test's server.
const FIREFOX_PREFS = {
  'browser.shell.checkDefaultBrowser': false, 'browser.startup.homepage_override.mstone': 'ignore',
  'browser.aboutwelcome.enabled': false, 'datareporting.policy.dataSubmissionEnabled': false,
  'toolkit.telemetry.reportingpolicy.firstRun': false, 'app.update.auto': false, 'extensions.update.enabled': false,
  'network.captive-portal-service.enabled': false, 'network.connectivity-service.enabled': false,
  'browser.safebrowsing.malware.enabled': false, 'browser.safebrowsing.phishing.enabled': false,
  'browser.safebrowsing.downloads.enabled': false, 'network.dns.disablePrefetch': true,
  'network.prefetch-next': false, 'browser.newtabpage.enabled': false,
};

export class Firefox extends BrowserBase {
  static async start(executable = process.env.ORBILUX_FIREFOX || '/usr/bin/firefox-esr') {
    if (!existsSync(executable)) throw new Error(`no Firefox at ${executable}`);
    const profile = freshTempFolder('orbilux-firefox');
    writeFileSync(path.join(profile, 'user.js'), Object.entries(FIREFOX_PREFS)
      .map(([name, value]) => `user_pref(${JSON.stringify(name)}, ${JSON.stringify(value)});\n`).join(''));
    const child = spawn('timeout', ['-s', 'KILL', String(LIFETIME_S), executable, '--headless', '--no-remote',
                                    '--profile', profile, '--remote-debugging-port=0', 'about:blank'],
                        {stdio: ['ignore', 'pipe', 'pipe'], env: {...process.env, MOZ_CRASHREPORTER_DISABLE: '1'}});
    const browser = new Firefox(child, profile);
    try {
      // It names its WebDriver BiDi address on standard error once ready.
      const address = await within(new Promise((resolve, reject) => {
        const look = () => {
          const match = /WebDriver BiDi listening on (ws:\/\/\S+)/.exec(browser.output);
          if (match) resolve(match[1]);
        };
        child.stderr.on('data', look);
        child.stdout.on('data', look);
        browser.exited.then((code) => reject(new Error(`Firefox ended (${code}): ${browser.output}`)));
      }), 'Firefox starting', 90000);
      browser.socket = await within(WebSocketClient.connect(`${address}/session`), 'Firefox WebDriver BiDi');
      browser.socket.onMessage = (text) => browser.receive(JSON.parse(text));
      browser.socket.onClose = () => browser.fail(new Error(`Firefox's connection closed: ${browser.output}`));
      await browser.send('session.new', {capabilities: {}});
      await browser.send('session.subscribe', {events: ['log.entryAdded']});
    } catch (e) {
      await browser.close();
      throw e;
    }
    return browser;
  }

  constructor(child, profile) {
    super('firefox', child, profile);
    this.output = '';
    const keep = (data) => { this.output = (this.output + data).slice(-4000); };
    child.stdout.on('data', keep);
    child.stderr.on('data', keep);
    child.on('error', () => {});
    this.exited = new Promise((resolve) => child.on('exit', resolve));
    this.exited.then(() => this.fail(new Error(`Firefox ended: ${this.output}`)));
  }

  errorOf(message) {
    return message.type === 'error' ? `${message.error}: ${message.message}` : null;
  }

  send(method, params = {}) {
    return this.request(method, (id) => this.socket.send(JSON.stringify({id, method, params})));
  }

  async open(url, {width = 800, height = 600, scale = 1, script = '', early = false} = {}) {
    const {context} = await this.send('browsingContext.create', {type: 'tab'});
    const tab = new FirefoxTab(this, context);
    await tab.resize(width, height, scale);
    if (script)
      await this.send('script.addPreloadScript', {functionDeclaration: `() => { ${script} }`, contexts: [context]});
    await tab.go(url, early);
    return tab;
  }

  async close() {
    if (this.socket) this.send('browser.close').catch(() => {});
    await within(this.exited, 'Firefox closing', 20000).catch(() => {
      this.child.kill('SIGKILL');
      return within(this.exited, 'Firefox killed', 20000);
    });
    this.socket?.close();
    // `timeout` ends with Firefox; a helper left in the profile is ended too.
    for (const pid of readdirSync('/proc').filter((p) => /^\d+$/.test(p))) {
      try {
        if (readFileSync(`/proc/${pid}/cmdline`, 'latin1').includes(this.profile)) process.kill(Number(pid), 'SIGKILL');
      } catch (e) { /* gone */ }
    }
    rmSync(this.profile, {recursive: true, force: true, maxRetries: 10});
  }
}

const FIREFOX_KEYS = {Enter: '\uE007', Tab: '\uE004'};

class FirefoxTab extends TabBase {
  constructor(browser, context) {
    super();
    this.browser = browser;
    this.context = context;
    browser.listeners.push((message) => {
      const p = message.params;
      if (message.method === 'log.entryAdded' && p.level === 'error' && p.source?.context === context)
        this.errors.push(`${p.type}: ${p.text}`);
    });
  }

  resize(width, height, scale = 1) {
    return this.browser.send('browsingContext.setViewport',
                             {context: this.context, viewport: {width, height}, devicePixelRatio: scale});
  }

  async go(url, early = false) {
    await this.browser.send('browsingContext.navigate', {context: this.context, url, wait: 'complete'});
    await this.until(SETTLED(early));
  }

  // The value goes through JSON, as Chromium's returnByValue does.
  async eval(expression) {
    const result = await this.browser.send('script.evaluate', {
      expression: `Promise.resolve(${expression}).then((value) => JSON.stringify(value))`,
      target: {context: this.context}, awaitPromise: true, resultOwnership: 'none'});
    if (result.type === 'exception')
      throw new Error(`${expression}: ${result.exceptionDetails.text}`);
    return result.result.type === 'string' ? JSON.parse(result.result.value) : undefined;
  }

  async keys(text) {
    const actions = [];
    for (const key of FIREFOX_KEYS[text] ? [FIREFOX_KEYS[text]] : [...text])
      actions.push({type: 'keyDown', value: key}, {type: 'keyUp', value: key});
    await this.browser.send('input.performActions',
                            {context: this.context, actions: [{type: 'key', id: 'keyboard', actions}]});
  }

  async click(x, y, button = 0) {
    await this.browser.send('input.performActions', {context: this.context, actions: [{
      type: 'pointer', id: 'mouse', parameters: {pointerType: 'mouse'},
      actions: [{type: 'pointerMove', x: Math.round(x), y: Math.round(y)}, {type: 'pointerDown', button},
                {type: 'pointerUp', button}]}]});
  }

  async screenshot(file) {
    const {data} = await this.browser.send('browsingContext.captureScreenshot', {context: this.context});
    writeFileSync(file, Buffer.from(data, 'base64'));
  }

  async close() {
    await this.browser.send('browsingContext.close', {context: this.context});
  }
}
