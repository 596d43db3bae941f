// A small W3C WebDriver client over fetch, enough to work the page in WebKit: Debian's
// WebKitWebDriver starts WebKitGTK's MiniBrowser, which needs a display; xvfb-run gives it one.
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import net from 'node:net';

const MINIBROWSER = ['/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser', '/usr/libexec/webkit2gtk-4.1/MiniBrowser'];
const ELEMENT = 'element-6066-11e4-a52e-4f735466cecf';
// The keys the tests press, as WebDriver spells them.
const KEYS = { Enter: '\uE007', Escape: '\uE00C', Tab: '\uE004', Home: '\uE011', End: '\uE010',
  Backspace: '\uE003', F6: '\uE036', Control: '\uE009', Shift: '\uE008' };

function freePort() {
  return new Promise((resolve, reject) => {
    const server = net.createServer();
    server.once('error', reject);
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

export function findMiniBrowser() {
  const found = MINIBROWSER.find((p) => fs.existsSync(p));
  if (!found) throw new Error('MiniBrowser von WebKitGTK nicht gefunden (Debian-Paket webkit2gtk-driver)');
  return found;
}

// Starts the driver on a display of its own and opens a session of about this window size.
export async function launchWebKit({ width = 1280, height = 860 } = {}) {
  const port = await freePort();
  const driver = spawn('xvfb-run', ['-a', '-s', '-screen 0 1600x1200x24', 'WebKitWebDriver', `--port=${port}`],
    { detached: true, stdio: ['ignore', 'ignore', 'pipe'] });
  let stderr = '';
  driver.stderr.on('data', (d) => (stderr += d));
  const base = `http://127.0.0.1:${port}`;
  const call = async (method, path, body) => {
    const r = await fetch(base + path, {
      method, headers: { 'Content-Type': 'application/json' },
      body: body === undefined ? undefined : JSON.stringify(body),
    });
    const json = await r.json();
    if (!r.ok) throw new Error(`WebDriver ${method} ${path}: ${json.value?.error} ${json.value?.message}`);
    return json.value;
  };
  const stop = () => {
    try {
      process.kill(-driver.pid, 'SIGTERM');
    } catch {}
  };
  try {
    for (let i = 0; ; ++i) {
      try {
        if ((await call('GET', '/status')).ready) break;
      } catch (e) {
        if (i > 100) throw new Error(`WebKitWebDriver antwortet nicht: ${e}\n${stderr}`);
      }
      await sleep(100);
    }
    const session = await call('POST', '/session', {
      capabilities: { alwaysMatch: { 'webkitgtk:browserOptions': { binary: findMiniBrowser(), args: ['--automation'] } } },
    });
    return new WebDriverPage(call, `/session/${session.sessionId}`, { width, height }, stop);
  } catch (e) {
    stop();
    throw e;
  }
}

// The page as the engine tests use it, with the same calls as their puppeteer page.
class WebDriverPage {
  constructor(call, session, size, stop) {
    this.call = (method, path, body) => call(method, session + path, body);
    this.size = size;
    this.stopDriver = stop;
  }

  async goto(url) {
    await this.call('POST', '/window/rect', this.size);
    await this.call('POST', '/url', { url });
  }

  // Runs fn(...args) in the page and waits for its promise.
  async evaluate(fn, ...args) {
    const script = `const done = arguments[arguments.length - 1];
      Promise.resolve().then(() => (${fn})(...Array.from(arguments).slice(0, -1)))
        .then((value) => done({ value }), (e) => done({ error: String(e && e.stack || e) }));`;
    const r = await this.call('POST', '/execute/async', { script, args });
    if (r && r.error) throw new Error(r.error);
    return r ? r.value : undefined;
  }

  async waitForFunction(fn, { timeout = 30000 } = {}) {
    const end = Date.now() + timeout;
    while (!(await this.evaluate(fn))) {
      if (Date.now() > end) throw new Error('Zeit abgelaufen: ' + fn);
      await sleep(50);
    }
  }

  async click(selector) {
    const el = await this.call('POST', '/element', { using: 'css selector', value: selector });
    await this.call('POST', `/element/${el[ELEMENT]}/click`, {});
  }

  async focus(selector) {
    await this.evaluate((s) => document.querySelector(s).focus(), selector);
  }

  async pointer(type, steps) {
    await this.call('POST', '/actions', {
      actions: [{ type: 'pointer', id: type, parameters: { pointerType: type }, actions: steps }],
    });
    await this.call('DELETE', '/actions');
  }

  // Whether a finger's actions reach the page as touch. WebKitGTK's driver (2.50) takes
  // actions with pointerType "touch" but sends them as a mouse's: pointer events of type
  // "mouse", mousedown and click, no touch events; a swipe is then a drag that selects cells.
  // The probe taps the empty end of the menu bar and keeps the type that arrived.
  async probeTouch() {
    await this.evaluate(() => {
      window.touchProbe = [];
      document.addEventListener('pointerdown', (e) => window.touchProbe.push(e.pointerType), { once: true, capture: true });
    });
    const at = { type: 'pointerMove', x: this.size.width - 20, y: 10, duration: 0 };
    await this.pointer('touch', [at, { type: 'pointerDown', button: 0 }, { type: 'pointerUp', button: 0 }]);
    this.touchArrives = await this.evaluate(() => window.touchProbe[0] ?? 'kein Ereignis');
    return this.touchArrives;
  }

  // A finger as puppeteer's touchscreen moves it, where the driver brings touch to the page.
  get touchscreen() {
    if (this.touchArrives !== 'touch') return undefined;
    const to = (x, y, duration) => ({ type: 'pointerMove', x: Math.round(x), y: Math.round(y), duration });
    return {
      touchStart: async (x, y) => (this.fingerSteps = [to(x, y, 0), { type: 'pointerDown', button: 0 }]),
      touchMove: async (x, y) => this.fingerSteps.push(to(x, y, 16)),
      // Held still before it lifts, as the tests' fingers are, so that it does not fling.
      touchEnd: () => this.pointer('touch', [...this.fingerSteps, { type: 'pause', duration: 150 }, { type: 'pointerUp', button: 0 }]),
    };
  }

  get mouse() {
    return {
      click: (x, y) => this.pointer('mouse', [{ type: 'pointerMove', x: Math.round(x), y: Math.round(y), duration: 0 },
        { type: 'pointerDown', button: 0 }, { type: 'pointerUp', button: 0 }]),
    };
  }

  get keyboard() {
    const keys = (values) => this.call('POST', '/actions', {
      actions: [{ type: 'key', id: 'keys', actions: values.flatMap((value) => [{ type: 'keyDown', value }, { type: 'keyUp', value }]) }],
    });
    return {
      type: (text) => keys([...text]),
      press: (key) => keys([KEYS[key] ?? key]),
    };
  }

  async close() {
    try {
      await this.call('DELETE', '');
    } finally {
      this.stopDriver();
    }
  }
}
