// The change history in a browser: two tabs saving the same file, Back then Reload re-posting
// an older save, and restoring an earlier version from the history page.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { after, before, describe, it } from 'node:test';

import { assertUsableEverywhere } from './support/page_checks.mjs';
import { credentials, startSite } from './support/site.mjs';

const saved = (file) => `alert: File ${file} was saved`;

describe('change history', () => {
  let site;

  // The newest line of the history's log as its fields, with the time as pages show it.
  const lastChange = () => {
    const lines = fs.readFileSync(site.dataFile('tvqconf.history/log'), 'latin1').trimEnd().split('\n');
    const [sequence, time, user, address, action, file, before, after] = lines.at(-1).split('\t');
    const shownTime = time.replace('T', ' ').replace('Z', '');
    return { sequence, shownTime, user, address, action, file, before, after };
  };
  const stale = (file) => {
    const { user, shownTime } = lastChange();
    return `alert: ${file} was changed by ${user} on ${shownTime} after this page was shown; `
      + 'your change was not saved.';
  };
  const text = (tab) => tab.page.inputValue('textarea[name="text"]');
  const version = (tab) => tab.page.inputValue('input[name="version"]');

  // A new tab showing the editor for `file`, opened from the file choice page.
  const openEditor = async (file) => {
    const tab = await site.open('?target=redit');
    await tab.submits(() => tab.click(`tr:has(input[name="file"][value="${file}"]) input[value="Edit..."]`));
    tab.take();
    assert.equal(await tab.heading(), `EDIT ${file}`);
    return tab;
  };
  // Types `typed` into the editor and presses Save changes; gives the dialogs shown.
  const save = async (tab, typed) => {
    await tab.page.fill('textarea[name="text"]', typed);
    await tab.submits(() => tab.click('input[value="Save changes"]'));
    return tab.take().dialogs;
  };

  before(async () => {
    site = await startSite('history');
  });
  after(() => site.stop());

  it('refuses a save from a tab opened before another tab saved, keeping what was typed', async () => {
    const tabA = await openEditor('help.htm');
    const tabB = await openEditor('help.htm');
    const shownVersion = await version(tabB);

    assert.deepEqual(await save(tabA, 'Saved from tab A'), [saved('help.htm')]);
    assert.deepEqual(await save(tabB, 'Typed in tab B'), [stale('help.htm')]);
    assert.equal(lastChange().user, credentials.username);
    assert.equal(site.read('help.htm'), 'Saved from tab A');
    assert.equal(await text(tabB), 'Typed in tab B');
    assert.equal(await tabB.heading(), 'EDIT help.htm');
    // The page drawn again carries the version tab A saved, so saving again is deliberate.
    assert.equal(await version(tabB), await version(tabA));
    assert.notEqual(await version(tabB), shownVersion);

    await tabB.submits(() => tabB.click('input[value="Save changes"]'));
    assert.deepEqual(tabB.take().dialogs, [saved('help.htm')]);
    assert.equal(site.read('help.htm'), 'Typed in tab B');
    await tabA.page.close();
    await tabB.page.close();
  });

  it('does not revert the file when Back then Reload re-posts an older save', async () => {
    const tab = await openEditor('sitemap.htm');
    const firstForm = [['target', 'editor'], ['act', 'save'], ['file', 'sitemap.htm'],
      ['version', await version(tab)], ['text', 'First text']];
    assert.deepEqual(await save(tab, 'First text'), [saved('sitemap.htm')]);
    assert.deepEqual(await save(tab, 'Second text'), [saved('sitemap.htm')]);
    const refused = stale('sitemap.htm');
    // Headless Chromium already sends the first save's form again on Back, and Reload sends
    // it once more; each time it is refused.
    await tab.page.goBack();
    const back = tab.take();
    assert.deepEqual(back.dialogs, back.posts.map(() => refused));
    await tab.page.reload();
    const reload = tab.take();
    assert.deepEqual(reload, { dialogs: [refused], posts: [firstForm] });
    assert.deepEqual(back.posts, back.posts.map(() => firstForm));
    assert.equal(site.read('sitemap.htm'), 'Second text');
    assert.equal(await text(tab), 'First text');
    await tab.page.close();
  });

  it('restores the version before a change from the history page', async () => {
    const tab = await openEditor('layout_l.htm');
    assert.deepEqual(await save(tab, 'Older <layout> & text'), [saved('layout_l.htm')]);
    assert.deepEqual(await save(tab, 'Newer layout'), [saved('layout_l.htm')]);
    const newest = lastChange();

    await tab.page.goto(site.url('?target=history'));
    await site.screenshot(tab.page, 'history');
    await assertUsableEverywhere(site, tab.page, 'history');
    const newestRow = tab.page.locator('table.history tr').nth(1);
    assert.deepEqual((await newestRow.locator('td').allInnerTexts()).slice(0, 6),
      [newest.shownTime, credentials.username, '127.0.0.1', 'Edited', 'layout_l.htm', '+1 \u22121']);

    await tab.submits(() => newestRow.locator('a', { hasText: 'Edited' }).click());
    await site.screenshot(tab.page, 'histdiff');
    await assertUsableEverywhere(site, tab.page, 'histdiff');
    assert.deepEqual(await tab.page.locator('tr.removed pre').allTextContents(), ['-Older <layout> & text']);
    assert.deepEqual(await tab.page.locator('tr.added pre').allTextContents(), ['+Newer layout']);

    await tab.page.goBack();
    await tab.submits(() => newestRow.locator('input[value="Restore the version before this change"]').click());
    const { dialogs, posts } = tab.take();
    assert.deepEqual(dialogs, [`alert: layout_l.htm was restored as it was before change ${newest.sequence}`]);
    assert.deepEqual(posts,
      [[['target', 'history'], ['act', 'restore'], ['seq', newest.sequence], ['version', newest.after]]]);
    assert.equal(site.read('layout_l.htm'), 'Older <layout> & text');
    const restoredRow = tab.page.locator('table.history tr').nth(1);
    assert.deepEqual((await restoredRow.locator('td').allInnerTexts()).slice(3, 5), ['Restored', 'layout_l.htm']);
    assert.equal(lastChange().action, 'restore');
    await tab.page.close();
  });
});
