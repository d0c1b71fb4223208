// The web server rules of docs/deploy.md on each server, 'debian-lighttpd' being its lighttpd
// section in Debian's own lighttpd.conf: both programs answer with pages, the utility asks for
// its password, and no file of the utility's folder is ever sent, whatever the name asked for.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, describe, it } from 'node:test';

import { credentials, startSite, utilityPath } from './support/site.mjs';

const password = `Basic ${Buffer.from(`${credentials.username}:${credentials.password}`).toString('base64')}`;

// Files laid beside the sample site's under cgi-bin/: the utility's own, its change history, one
// of them a program that a server must not run either, and a file beside the engine.
const planted = {
  'tovimarqdata/tvqconf.dat': 'tovimarq.ini\n',
  'tovimarqdata/tvqconf.lock': '',
  'tovimarqdata/tvqconf.history/0001-tovimarq.ini': 'QUOTES=25\nKEPT-VERSION\n',
  'tovimarqdata/tvqconf.history/tvqconf.cgi': '#!/bin/sh\nprintf "Content-type: text/html\\n\\nKEPT-PROGRAM\\n"\n',
  'notes.txt': 'KEPT-NOTES\n',
};

// [what, address below /cgi-bin/, the file under cgi-bin/ whose text must not come back when it
// is not the one the address names (null: none)]. The utility's folder answers each with
// "403 Forbidden".
const refused = [
  ['the configuration', 'tovimarqdata/tovimarq.ini'],
  ['the file list', 'tovimarqdata/filelist.txt'],
  ['a template', 'tovimarqdata/layout_s.htm'],
  ['the list of configurations', 'tovimarqdata/tvqconf.dat'],
  ['the lock', 'tovimarqdata/tvqconf.lock'],
  ['the change history', 'tovimarqdata/tvqconf.history/', null],
  ['a kept version', 'tovimarqdata/tvqconf.history/0001-tovimarq.ini'],
  ['a kept file named like the program', 'tovimarqdata/tvqconf.history/tvqconf.cgi'],
  ['a data file with a path info ending in .cgi', 'tovimarqdata/tovimarq.ini/x.cgi',
    'tovimarqdata/tovimarq.ini'],
  ['a percent-encoded name', 'tovimarqdata/%74vqconf.dat', 'tovimarqdata/tvqconf.dat'],
  ['a file beside the engine', 'notes.txt'],
  ['a file beside the engine with a path info ending in .cgi', 'notes.txt/x.cgi', 'notes.txt'],
];

for (const server of ['debian-lighttpd', 'lighttpd', 'apache']) {
  describe(`documented rules under ${server}`, () => {
    let site;
    before(async () => {
      site = await startSite(`deploy-${server}`, { server, browser: false });
    });
    after(() => site?.stop());

    const request = (address, { method = 'GET', authorized = true } = {}) =>
      fetch(`${site.origin}${address}`, {
        method, redirect: 'manual', headers: authorized ? { authorization: password } : {},
      });

    it('runs both programs, the utility only with its password', async () => {
      for (const method of ['GET', 'HEAD']) {
        for (const [address, authorized] of [['/cgi-bin/tovimarq.cgi', false], [utilityPath, true]]) {
          const response = await request(address, { method, authorized });
          assert.equal(response.status, 200, `${method} ${address}`);
          assert.match(response.headers.get('content-type'), /^text\/html/, `${method} ${address}`);
        }
      }
      assert.match(await (await request(utilityPath)).text(), /MAIN CONFIGURATION MENU/);
      const anonymous = await request(utilityPath, { authorized: false });
      assert.equal(anonymous.status, 401);
      assert.match(anonymous.headers.get('www-authenticate'), /^Basic realm="Tovimarq configuration"/);
    });

    it('never sends a file under cgi-bin/ nor runs one of the utility\'s folder but the program', async () => {
      const cgiBin = path.join(site.docRoot, 'cgi-bin');
      for (const [name, text] of Object.entries(planted)) {
        fs.mkdirSync(path.dirname(path.join(cgiBin, name)), { recursive: true });
        fs.writeFileSync(path.join(cgiBin, name), text, { mode: 0o755 });
      }
      for (const [what, address, file = address] of refused) {
        const response = await request(`/cgi-bin/${address}`);
        const body = await response.text();
        if (address.startsWith('tovimarqdata/')) assert.equal(response.status, 403, what);
        else assert.ok(response.status >= 400, `${what}: status ${response.status}`);
        const text = file === null ? '' : fs.readFileSync(path.join(cgiBin, file), 'latin1');
        if (text) assert.ok(!body.includes(text), `${what}: its text was sent`);
        assert.ok(!body.includes('KEPT-'), `${what}: a planted file was sent or run`);
      }
    });
  });
}
