// The test search form in a browser, served without a password: the warning, the form posted
// to the engine stand-in in a new window, and the form saved to a file.
import assert from 'node:assert/strict';
import { after, before, describe, it } from 'node:test';

import { assertUsableEverywhere } from './support/page_checks.mjs';
import { startSite } from './support/site.mjs';

const warning = 'WARNING! The Tovimarq™ configuration utility is not currently protected with a password.'
  + ' Contact your web site administrator to restrict access to the utility.';

describe('test search form, unprotected', () => {
  let site;
  let tab;

  const rows = (page, table) => page.$$eval(`table#${table} tr`,
    (trs) => trs.map((tr) => [...tr.cells].map((td) => td.textContent)));

  before(async () => {
    site = await startSite('test_form', { protect: false });
    tab = await site.open('?target=testform');
  });
  after(() => site.stop());

  it('warns that the utility is not protected', async () => {
    await site.screenshot(tab.page, 'test-form');
    assert.equal(await tab.heading(), 'TEST SEARCH FORM');
    const shown = await tab.page.locator('p:has-text("WARNING!")').textContent();
    assert.equal(shown.replace(/\s+/g, ' ').trim(), warning);
    await assertUsableEverywhere(site, tab.page, 'test-form');
  });

  it('sends the search to the engine in a new window', async () => {
    // The form element sits between table rows, so its fields belong to it without being inside it.
    const form = await tab.page.$eval('input[name="config"]',
      (field) => [field.form.getAttribute('action'), field.form.getAttribute('target'), field.value]);
    assert.deepEqual(form, ['/cgi-bin/tovimarq.cgi', '_blank', 'tovimarq.ini']);
    await tab.page.fill('input[name="query"]', 'blue widgets & <gadgets>');
    await tab.page.selectOption('select[name="quotes"]', '50');
    await tab.page.check('input[name="plaintext"]');
    await tab.page.check('input[name="method"][value="exact"]');
    await tab.page.selectOption('select[name="terms"]', 'phrase');

    const opened = site.context.waitForEvent('page');
    await tab.click('input[name="search"]');
    const engine = await opened;
    await engine.waitForLoadState('load');
    await site.screenshot(engine, 'engine-stand-in');
    assert.equal(tab.page.url(), site.url('?target=testform'));
    assert.deepEqual((await rows(engine, 'fields')).sort(), [
      ['case', 'insensitive'], ['config', 'tovimarq.ini'], ['method', 'exact'], ['plaintext', 'yes'],
      ['query', 'blue widgets & <gadgets>'], ['quotes', '50'], ['quotesize', '1000'], ['quotesperdoc', '5'],
      ['relevancy', '40'], ['reportwith', 'Q'], ['search', 'Search'], ['terms', 'phrase']]);
    const config = await rows(engine, 'config');
    assert.ok(config.some(([key, value]) => key === 'FILELIST' && value === 'filelist.txt'));
    const entries = await rows(engine, 'filelist');
    assert.equal(entries.length, 5);
    assert.deepEqual(entries.filter((cells) => cells[3] === 'missing').map((cells) => cells[1]),
      [`${site.docRoot}/news/2025-01.html`]);
    await engine.close();
  });

  it('saves the form without the new-window target', async () => {
    const version = await tab.page.inputValue('input[name="version"]');
    await tab.submits(() => tab.click('input[value="Save to file"]'));
    assert.deepEqual(tab.take(), {
      dialogs: [`alert: Search form was saved successfully\nThe file is ${site.dataFile('searchform.htm')}.`
        + '\nCopy it into your site to use it: the web server does not serve the data folder.'],
      posts: [[['target', 'testform'], ['act', 'saveform'], ['version', version]]],
    });
    const saved = site.read('searchform.htm');
    assert.ok(saved.startsWith('<html><head><title>Tovimarq - sample search form</title></head>'));
    assert.ok(saved.includes('<form action="/cgi-bin/tovimarq.cgi" method="POST">\n'));
    assert.ok(!saved.includes('_blank'));
    assert.ok(saved.endsWith('\n\n</table></center></body></html>\n'));
  });
});
