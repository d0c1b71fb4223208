// One fresh sample site per test file: laid out by scripts/site.sh, served by lighttpd (or Apache)
// on a free loopback port and visited with headless Chromium.
import { execFileSync, spawn } from 'node:child_process';
import fs from 'node:fs';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';

import { Tab } from './tab.mjs';

export const repo = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../../..');
const buildDir = path.resolve(repo, process.env.TVQ_BUILD_DIR ?? 'build/release');
const resultsDir = path.join(repo, 'test-results', 'browser');

export const credentials = { username: 'admin', password: 'browser-test' };
export const utilityPath = '/cgi-bin/tovimarqdata/tvqconf.cgi';

export function freePort() {
  return new Promise((resolve, reject) => {
    const probe = net.createServer();
    probe.once('error', reject);
    probe.listen(0, '127.0.0.1', () => {
      const { port } = probe.address();
      probe.close(() => resolve(port));
    });
  });
}

function canConnect(port) {
  return new Promise((resolve) => {
    const socket = net.connect(port, '127.0.0.1');
    socket.once('connect', () => { socket.destroy(); resolve(true); });
    socket.once('error', () => resolve(false));
  });
}

const serverCommands = {
  lighttpd: (dir) => ['lighttpd', ['-D', '-f', path.join(dir, 'lighttpd.conf')]],
  'debian-lighttpd': (dir) => ['lighttpd', ['-D', '-f', path.join(dir, 'lighttpd.conf')]],
  apache: (dir) => ['apache2', ['-f', path.join(dir, 'apache2.conf'), '-DFOREGROUND']],
};

async function waitForServer(server, port, errorLog) {
  for (let attempt = 0; attempt < 100; attempt++) {
    if (server.exitCode !== null) break;
    if (await canConnect(port)) return;
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
  const log = fs.existsSync(errorLog) ? fs.readFileSync(errorLog, 'utf8') : '';
  throw new Error(`${server.spawnfile} did not start on port ${port}\n${log}`);
}

function stopServer(server) {
  if (server.exitCode !== null) return Promise.resolve();
  return new Promise((resolve) => {
    server.once('exit', resolve);
    server.kill('SIGTERM');
  });
}

// Starts the site and the browser. `name` names the screenshot folder; with protect false
// the utility is served without basic authentication; `server` is 'lighttpd', 'debian-lighttpd'
// (Debian's own lighttpd.conf) or 'apache'; with browser false no browser is started, for tests
// that only send requests.
export async function startSite(name, {
  protect = true, server: serverName = 'lighttpd', browser = true,
} = {}) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'tvq-browser-'));
  const port = await freePort();
  const siteArgs = [dir, '--build', buildDir, '--port', String(port),
    '--server', serverName, '--user', credentials.username, '--password', credentials.password];
  if (!protect) siteArgs.push('--no-auth');
  execFileSync(path.join(repo, 'scripts', 'site.sh'), siteArgs);
  const server = spawn(...serverCommands[serverName](dir), { stdio: 'ignore' });
  await waitForServer(server, port, path.join(dir, 'logs', 'error.log'));
  if (!browser) return new Site(name, dir, port, server, null);
  const context = await chromium.launchPersistentContext(path.join(dir, 'chromium-profile'), {
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-background-networking'],
    httpCredentials: protect ? credentials : undefined,
    viewport: { width: 1024, height: 900 },
  });
  context.setDefaultTimeout(10000);
  return new Site(name, dir, port, server, context);
}

export class Site {
  constructor(name, dir, port, server, context) {
    this.dir = dir;
    this.port = port;
    this.server = server;
    this.context = context;
    this.origin = `http://127.0.0.1:${port}`;
    this.docRoot = path.join(dir, 'htdocs');
    this.dataDir = path.join(this.docRoot, 'cgi-bin', 'tovimarqdata');
    this.shotDir = path.join(resultsDir, name);
    fs.rmSync(this.shotDir, { recursive: true, force: true });
    fs.mkdirSync(this.shotDir, { recursive: true });
  }

  // The utility's address with an optional query string ("?target=sdef").
  url(query = '') {
    return `${this.origin}${utilityPath}${query}`;
  }

  // A new tab showing the utility's page for `query`.
  async open(query = '') {
    const tab = new Tab(await this.context.newPage());
    await tab.page.goto(this.url(query));
    return tab;
  }

  dataFile(name) {
    return path.join(this.dataDir, name);
  }

  read(name) {
    return fs.readFileSync(this.dataFile(name), 'latin1');
  }

  write(name, content) {
    fs.writeFileSync(this.dataFile(name), content, 'latin1');
  }

  exists(name) {
    return fs.existsSync(this.dataFile(name));
  }

  async screenshot(page, name) {
    await page.screenshot({ path: path.join(this.shotDir, `${name}.png`), fullPage: true });
  }

  async stop() {
    await this.context?.close();
    await stopServer(this.server);
    fs.rmSync(this.dir, { recursive: true, force: true });
  }
}
