// The demo script: a busy port refused before anything is laid out, SIGINT and SIGTERM both
// stopping it, and a new port taking the sample site's addresses along.
import assert from 'node:assert/strict';
import { spawn, spawnSync } from 'node:child_process';
import { once } from 'node:events';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { after, it } from 'node:test';

import { freePort, repo } from './support/site.mjs';

const demo = path.join(repo, 'scripts', 'demo.sh');
const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'tvq-demo-'));
after(() => fs.rmSync(dir, { recursive: true, force: true }));

// Runs the demo, started as a shell starts a job in the background (with SIGINT ignored), until
// it serves; then runs `meanwhile`, sends `signal` and resolves to the exit status and last line.
async function serve(port, signal, meanwhile = () => {}) {
  const child = spawn('sh', ['-c', 'trap "" INT; exec "$0" "$@"', demo, '--dir', dir, '--port', String(port)]);
  const closed = once(child, 'close');
  let output = '';
  await new Promise((serving) => {
    child.stdout.on('data', (chunk) => { output += chunk; if (output.includes('Press Ctrl-C')) serving(); });
    closed.then(serving);
  });
  try { meanwhile(); } finally { child.kill(signal); }
  return [(await closed)[0], output.split('\n').at(-2)];
}

it('demo refuses a busy port, stops on SIGINT and SIGTERM, and moves its addresses', { timeout: 120000 }, async () => {
  const port = await freePort();
  assert.deepEqual(await serve(port, 'SIGINT', () => {
    const second = spawnSync(demo, ['--dir', `${dir}/second`, '--port', String(port)], { encoding: 'utf8' });
    assert.equal(second.status, 1);
    assert.match(second.stderr, new RegExp(`port ${port} on 127\\.0\\.0\\.1 is already in use.*--port ${port + 1}`));
    assert.ok(!fs.existsSync(`${dir}/second`));
  }), [0, 'Server stopped.']);

  const config = `${dir}/htdocs/cgi-bin/tovimarqdata/tovimarq.ini`;
  fs.writeFileSync(config, fs.readFileSync(config, 'latin1').replace('QUOTES=25', 'QUOTES=77'));
  const next = await freePort();
  assert.deepEqual(await serve(next, 'SIGTERM'), [0, 'Server stopped.']);
  const lines = fs.readFileSync(config, 'latin1').split('\n');
  assert.ok(lines.includes(`SITEROOTURL=http://127.0.0.1:${next}/`) && lines.includes('QUOTES=77'));
});
