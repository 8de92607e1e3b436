// Headless Chromium over the DevTools protocol (its own pipe, no npm
// package), and a static server for the page on 127.0.0.1.
import {spawn} from 'node:child_process';
import {createReadStream, existsSync, mkdtempSync, rmSync, statSync} from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';

const TYPES = {'.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm',
               '.svg': 'image/svg+xml', '.webmanifest': 'application/manifest+json'};

export function serve(root) {
  const server = http.createServer((request, response) => {
    let file = path.join(root, decodeURIComponent(new URL(request.url, 'http://x').pathname));
    if (file.endsWith('/')) file += 'index.html';
    if (!file.startsWith(root) || !existsSync(file) || !statSync(file).isFile()) {
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

export class Browser {
  // Starts Chromium; rejects when it cannot be started.
  static async start(executable = process.env.ORBILUX_CHROMIUM || '/usr/bin/chromium') {
    if (!existsSync(executable)) throw new Error(`no browser at ${executable}`);
    const profile = mkdtempSync(path.join(os.tmpdir(), 'orbilux-chromium-'));
    const child = spawn(executable, [
      '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--remote-debugging-pipe', `--user-data-dir=${profile}`, 'about:blank',
    ], {stdio: ['ignore', 'ignore', 'pipe', 'pipe', 'pipe']});
    const browser = new Browser(child, profile);
    await browser.send('Browser.getVersion');
    return browser;
  }

  constructor(child, profile) {
    this.child = child;
    this.profile = profile;
    this.nextId = 1;
    this.waiting = new Map();
    this.listeners = [];
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
    this.exited.then(() => {
      for (const {reject} of this.waiting.values()) reject(new Error(`browser ended: ${this.stderr}`));
    });
  }

  receive(message) {
    if (message.id && this.waiting.has(message.id)) {
      const {resolve, reject} = this.waiting.get(message.id);
      this.waiting.delete(message.id);
      if (message.error) reject(new Error(JSON.stringify(message.error)));
      else resolve(message.result);
      return;
    }
    for (const listener of this.listeners) listener(message);
  }

  send(method, params = {}, sessionId = undefined) {
    const id = this.nextId++;
    this.child.stdio[3].write(JSON.stringify({id, method, params, sessionId}) + '\0');
    return new Promise((resolve, reject) => this.waiting.set(id, {resolve, reject}));
  }

  // The next event `method` (of `sessionId`, if given) that `accept` takes.
  event(method, sessionId, accept = () => true) {
    return new Promise((resolve) => {
      const listener = (message) => {
        if (message.method === method && (!sessionId || message.sessionId === sessionId) && accept(message.params)) {
          this.listeners.splice(this.listeners.indexOf(listener), 1);
          resolve(message.params);
        }
      };
      this.listeners.push(listener);
    });
  }

  // A new tab with the given window size in CSS pixels and device scale.
  // `script` runs in the page before its own.
  async open(url, {width = 800, height = 600, scale = 1, script = ''} = {}) {
    const {targetId} = await this.send('Target.createTarget', {url: 'about:blank'});
    const {sessionId} = await this.send('Target.attachToTarget', {targetId, flatten: true});
    const tab = new Tab(this, sessionId, targetId);
    await tab.send('Runtime.enable');
    await tab.send('Log.enable');
    await tab.send('Page.enable');
    await tab.send('Emulation.setDeviceMetricsOverride', {width, height, deviceScaleFactor: scale, mobile: false});
    if (script) await tab.send('Page.addScriptToEvaluateOnNewDocument', {source: script});
    await tab.go(url);
    return tab;
  }

  async close() {
    // Asked to close, the browser ends its helpers first; a kill is the fallback.
    this.send('Browser.close').catch(() => this.child.kill());
    await this.exited;
    // A helper process may still write its last files into the profile.
    rmSync(this.profile, {recursive: true, force: true, maxRetries: 10});
  }
}

export class Tab {
  constructor(browser, sessionId, targetId) {
    this.browser = browser;
    this.sessionId = sessionId;
    this.targetId = targetId;
    this.errors = [];
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

  // Loads `url` and waits until the page says it is ready.
  async go(url) {
    const loaded = this.browser.event('Page.loadEventFired', this.sessionId);
    await this.send('Page.navigate', {url});
    await loaded;
    await this.until('document.body.dataset.state === "ready"');
  }

  async eval(expression) {
    const result = await this.send('Runtime.evaluate', {expression, returnByValue: true, awaitPromise: true});
    if (result.exceptionDetails)
      throw new Error(`${expression}: ${result.exceptionDetails.exception?.description || result.exceptionDetails.text}`);
    return result.result.value;
  }

  // Waits in the page until `condition` holds; a page that never gets there
  // fails with the condition named after 60 s rather than hanging the suite.
  until(condition) {
    return this.eval(`new Promise((resolve, reject) => { const end = Date.now() + 60000;
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

  async close() {
    await this.browser.send('Target.closeTarget', {targetId: this.targetId});
  }
}
