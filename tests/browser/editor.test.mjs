// The remote file editor in a browser: the file choice page, feditor's two save buttons,
// Cancel with its question for unsaved changes, the binary-file warning and the refusal of
// files outside the data folder.
import assert from 'node:assert/strict';
import { after, before, describe, it } from 'node:test';

import { assertUsableEverywhere } from './support/page_checks.mjs';
import { startSite } from './support/site.mjs';

const choiceHeading = 'EDIT TOVIMARQ™ FILES';

describe('remote file editor', () => {
  let site;
  let tab;

  // Opens `file` from the file choice page; gives the dialogs the editor page raised.
  const edit = async (file) => {
    await tab.submits(() => tab.click(`tr:has(input[name="file"][value="${file}"]) input[value="Edit..."]`));
    const { dialogs, posts } = tab.take();
    assert.deepEqual(posts, [[['target', 'editor'], ['act', 'editfile'], ['file', file]]]);
    assert.equal(await tab.heading(), `EDIT ${file}`);
    return dialogs;
  };
  const text = () => tab.page.inputValue('textarea[name="text"]');

  before(async () => {
    site = await startSite('editor');
    tab = await site.open('?target=redit');
  });
  after(() => site.stop());

  it('offers the four files of the configuration', async () => {
    await site.screenshot(tab.page, 'file-choice');
    await assertUsableEverywhere(site, tab.page, 'file-choice');
    assert.equal(await tab.heading(), choiceHeading);
    const files = await tab.page.$$eval('input[name="file"]', (fields) => fields.map((f) => f.value));
    assert.deepEqual(files, ['help.htm', 'layout_s.htm', 'layout_l.htm', 'sitemap.htm']);
  });

  it('shows the file and saves changes, staying in the editor', async () => {
    assert.deepEqual(await edit('help.htm'), []);
    assert.equal(await text(), site.read('help.htm'));
    await site.screenshot(tab.page, 'editor');
    await assertUsableEverywhere(site, tab.page, 'editor');
    await tab.page.fill('textarea[name="text"]', 'Line one\nLine <two> & "three"\n');
    const version = await tab.page.inputValue('input[name="version"]');
    await tab.submits(() => tab.click('input[value="Save changes"]'));
    assert.deepEqual(tab.take(), {
      dialogs: ['alert: File help.htm was saved'],
      posts: [[['target', 'editor'], ['act', 'save'], ['file', 'help.htm'], ['version', version],
        ['text', 'Line one\r\nLine <two> & "three"\r\n']]],
    });
    assert.equal(site.read('help.htm'), 'Line one\nLine <two> & "three"\n');
    assert.equal(await tab.heading(), 'EDIT help.htm');
    assert.equal(await text(), 'Line one\nLine <two> & "three"\n');
  });

  it('saves and returns to the file choice', async () => {
    await tab.page.fill('textarea[name="text"]', 'Final text');
    const version = await tab.page.inputValue('input[name="version"]');
    await tab.submits(() => tab.click('input[value="Save and exit"]'));
    assert.deepEqual(tab.take(), {
      dialogs: ['alert: File help.htm was saved'],
      posts: [[['target', 'redit'], ['act', 'save'], ['file', 'help.htm'], ['version', version],
        ['text', 'Final text']]],
    });
    assert.equal(site.read('help.htm'), 'Final text');
    assert.equal(await tab.heading(), choiceHeading);
  });

  it('asks before leaving unsaved changes, and leaves the file alone on Cancel', async () => {
    const before = site.read('layout_s.htm');
    await edit('layout_s.htm');
    await tab.page.fill('textarea[name="text"]', 'Thrown away');
    await tab.staysOn(() => tab.click('input[value="Cancel"]'));
    assert.deepEqual(tab.take(), { dialogs: ['beforeunload: '], posts: [] });
    await tab.click('input[value="Reset"]');
    await tab.submits(() => tab.click('input[value="Cancel"]'));
    assert.deepEqual(tab.take(), { dialogs: [], posts: [[['target', 'redit']]] });
    assert.equal(site.read('layout_s.htm'), before);
    assert.equal(await tab.heading(), choiceHeading);
  });

  it('warns when the file holds control bytes', async () => {
    site.write('sitemap.htm', 'head\x01tail\tend\n');
    assert.deepEqual(await edit('sitemap.htm'), ['alert: Warning!\n\nYou are about to edit a binary file.']);
    assert.equal(await text(), 'head\x01tail\tend\n');
  });

  it('refuses files outside the data folder', async () => {
    site.write('tovimarq.ini', 'HELPFILE=/etc/hostname\n');
    await tab.page.goto(site.url('?target=redit'));
    assert.equal(await tab.page.locator('input[value="Edit..."]').count(), 3);
    assert.equal(await tab.page.locator('text=(see below)').count(), 1);
    assert.equal(await tab.page.locator('text=Upload those files via FTP instead.').count(), 1);
    await site.screenshot(tab.page, 'file-choice-refused');
  });
});
