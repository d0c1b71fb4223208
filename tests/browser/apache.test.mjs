// The utility under Debian's Apache with the password block of docs/deploy.md, the programs
// root's and the data files the web server user's: the password, the main menu and one save.
import assert from 'node:assert/strict';
import { after, before, describe, it } from 'node:test';

import { startSite } from './support/site.mjs';

describe('utility installed under Apache', () => {
  let site;
  before(async () => { site = await startSite('apache', { server: 'apache' }); });
  after(() => site.stop());

  it('asks for the password, shows the main menu and saves the search defaults', async () => {
    assert.equal((await fetch(site.url())).status, 401);
    const tab = await site.open();
    assert.equal(await tab.heading(), 'MAIN CONFIGURATION MENU');
    await tab.page.goto(site.url('?target=sdef'));
    await tab.page.fill('input[name="quotes"]', '60');
    tab.answer(true);
    await tab.submits(() => tab.click('input[value="Save changes"]'));
    await site.screenshot(tab.page, 'saved');
    assert.equal(tab.take().dialogs.at(-1), 'alert: Search defaults was saved successfully');
    assert.match(site.read('tovimarq.ini'), /^QUOTES=60$/m);
  });
});
