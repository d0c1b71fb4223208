// The served sample site itself: the password on the utility, data files kept from the web,
// and the engine stand-in's answer.
import assert from 'node:assert/strict';
import { after, before, describe, it } from 'node:test';

import { credentials, startSite, utilityPath } from './support/site.mjs';

describe('sample site behind basic authentication', () => {
  let site;

  before(async () => {
    site = await startSite('site');
  });
  after(() => site.stop());

  const status = async (urlPath, headers = {}) => (await fetch(`${site.origin}${urlPath}`, { headers })).status;
  const login = { Authorization: `Basic ${Buffer.from(`${credentials.username}:${credentials.password}`)
    .toString('base64')}` };

  it('asks for the password before running the utility', async () => {
    assert.equal(await status(utilityPath), 401);
    assert.equal(await status(utilityPath, login), 200);
  });

  it('serves the documents and the programs but not the data files', async () => {
    assert.equal(await status('/docs/faq.html'), 200);
    assert.equal(await status('/cgi-bin/tovimarq.cgi'), 200);
    assert.equal(await status('/cgi-bin/tovimarqdata/tovimarq.ini', login), 403);
    assert.equal(await status('/cgi-bin/tovimarqdata/filelist.txt', login), 403);
  });

  it('shows the main menu without the password warning', async () => {
    const tab = await site.open();
    await site.screenshot(tab.page, 'main-menu');
    assert.equal(await tab.heading(), 'MAIN CONFIGURATION MENU');
    assert.equal(await tab.page.title(), 'Tovimarq(tm) configuration utility - Main Menu');
    assert.equal(await tab.page.locator('text=WARNING!').count(), 0);
  });

  it('has an engine stand-in that shows the request, the configuration and its file list', async () => {
    const tab = await site.open();
    await tab.page.goto(`${site.origin}/cgi-bin/tovimarq.cgi?config=tovimarq.ini&query=%3Cb%3Eplain%3C%2Fb%3E`);
    await site.screenshot(tab.page, 'engine-stand-in');
    const rows = (table) => tab.page.$$eval(`table#${table} tr`,
      (trs) => trs.map((tr) => [...tr.cells].map((td) => td.textContent)));
    assert.deepEqual(await rows('fields'), [['config', 'tovimarq.ini'], ['query', '<b>plain</b>']]);
    assert.deepEqual((await rows('config')).slice(0, 2), [['LANGUAGE', 'English.tvl'], ['FILELIST', 'filelist.txt']]);
    const root = site.docRoot;
    assert.deepEqual((await rows('filelist')).map(([kind, file, , mark]) => [kind, file, mark]), [
      ['DIR', `${root}/docs/`, 'exists'],
      ['FILE', `${root}/index.html`, 'exists'],
      ['FILE', `${root}/news/2025-01.html`, 'missing'],
      ['FILE', `${root}/news/2026-11.html`, 'exists'],
      ['TREE', `${root}/products/`, 'exists'],
    ]);
  });
});
