// The search defaults page in a browser: the language script, feditdef's messages and the saved file.
import assert from 'node:assert/strict';
import { after, before, describe, it } from 'node:test';

import { assertUsableEverywhere } from './support/page_checks.mjs';
import { startSite } from './support/site.mjs';

const saveButton = 'input[value="Save changes"]';
const resetButton = 'input[value="Reset form"]';
const noChange = 'alert: None of the options were modified.';

function confirmation(...lines) {
  return `confirm: You have changed the following options:\n\n${lines.map((l) => `${l}\n`).join('')}`
    + '\nClick OK to apply the changes.';
}

describe('search defaults page', () => {
  let site;
  let tab;

  before(async () => {
    site = await startSite('search_defaults');
    tab = await site.open('?target=sdef');
  });
  after(() => site.stop());

  it('shows the configuration with its language files as options named by their text', async () => {
    await site.screenshot(tab.page, 'search-defaults');
    await assertUsableEverywhere(site, tab.page, 'search-defaults');
    assert.equal(await tab.heading(), 'EDIT SEARCH DEFAULTS');
    assert.equal(await tab.selectedConfig(), 'tovimarq.ini');
    const options = await tab.options('language');
    assert.deepEqual(options.map(([value, text]) => value === text), [true, true]);
    assert.deepEqual(options.map(([value]) => value).sort(), ['English', 'German']);
    assert.deepEqual(options.filter(([, , selected]) => selected).map(([value]) => value), ['English']);
  });

  it('posts nothing when no option changed', async () => {
    await tab.staysOn(() => tab.click(saveButton));
    assert.deepEqual(tab.take(), { dialogs: [noChange], posts: [] });
  });

  it('ignores a new value of an option that is not included', async () => {
    await tab.page.fill('input[name="quotesperdoc"]', '9');
    await tab.staysOn(() => tab.click(saveButton));
    assert.deepEqual(tab.take(), { dialogs: [noChange], posts: [] });
    await tab.click(resetButton);
  });

  it('ticks and clears an option by a click on its name', async () => {
    const box = 'input[name="isquotesperdoc"]';
    await tab.click('label:has-text("Max. number of quotes that can be extracted")');
    assert.equal(await tab.page.isChecked(box), true);
    await tab.click('label:has-text("Max. number of quotes that can be extracted")');
    assert.equal(await tab.page.isChecked(box), false);
  });

  it('asks before leaving unsaved changes, and leaves without asking after a reset', async () => {
    const leave = 'a:has-text("Return to Main Menu")';
    for (const change of [
      () => tab.page.fill('input[name="quotesperdoc"]', '9'),
      () => tab.page.uncheck('input[name="islanguage"]'),
      () => tab.page.selectOption('select[name="method"]', 'EXACT'),
    ]) {
      await change();
      await tab.staysOn(() => tab.click(leave));
      assert.deepEqual(tab.take(), { dialogs: ['beforeunload: '], posts: [] });
      await tab.click(resetButton);
    }
    await tab.submits(() => tab.click(leave));
    assert.deepEqual(tab.take().dialogs, []);
    assert.equal(await tab.heading(), 'MAIN CONFIGURATION MENU');
    await tab.page.goto(site.url('?target=sdef'));
  });

  it('lists a removed option and posts nothing when the confirmation is cancelled', async () => {
    await tab.page.uncheck('input[name="islanguage"]');
    tab.answer(false);
    await tab.staysOn(() => tab.click(saveButton));
    assert.deepEqual(tab.take(), { dialogs: [confirmation('"Language" removed')], posts: [] });
    await tab.click(resetButton);
  });

  it('lists added, removed and changed options and saves them after OK', async () => {
    const { page } = tab;
    await page.uncheck('input[name="islanguage"]');
    await page.fill('input[name="quotes"]', '50');
    await page.check('input[name="isquotesperdoc"]');
    await page.selectOption('select[name="method"]', 'EXACT');
    await page.check('input[name="iscasesensitive"]');
    await page.check('input[name="isallowsitemap"]');
    await page.check('input[name="iswarnings"]');
    await page.uncheck('input[name="warnings"]');
    await page.check('input[name="isplaintext"]');
    tab.answer(true);
    await tab.submits(() => tab.click(saveButton));
    const { dialogs, posts } = tab.take();
    assert.deepEqual(dialogs, [
      confirmation(
        '"Language" removed',
        '"Number of quotes to generate" set to: 50',
        '"Max. number of quotes from the same file" added: 5',
        '"Search method" set to: Literal Search',
        '"Case sensitivity" added: Case insensitive',
        '"Generating site maps" added: Allowed',
        '"Language warnings" added: Disabled',
        '"Quotation format" added: Preserve formatting'),
      'alert: Search defaults was saved successfully',
    ]);
    assert.equal(posts.length, 1);
    const posted = posts[0];
    for (const pair of [['target', 'main'], ['quotes', '50'], ['isquotesperdoc', ''], ['method', 'EXACT'],
      ['casesensitive', 'NO'], ['allowsitemap', ''], ['ini', 'tovimarq.ini'], ['act', 'setdefs']]) {
      assert.ok(posted.some(([name, value]) => name === pair[0] && value === pair[1]), `posted ${pair}`);
    }
    assert.ok(!posted.some(([name]) => name === 'islanguage' || name === 'warnings'));
    // The options already in the file keep their places; the added ones follow.
    assert.equal(site.read('tovimarq.ini'), [
      'FILELIST=filelist.txt', 'HELPFILE=help.htm', 'SUBJECTLAYOUT=layout_s.htm',
      'LITERALLAYOUT=layout_l.htm', 'SITEMAPLAYOUT=sitemap.htm', `SITEROOTURL=${site.origin}/`,
      'WORKDIR=workdir', 'QUOTES=50', 'METHOD=EXACT', 'RELEVANCY=40', 'QUOTESPERDOC=5',
      'CASE=INSENSITIVE', 'ALLOWSITEMAP=YES', 'WARNINGS=NO', 'PLAINTEXT=NO', ''].join('\n'));
    assert.equal(await tab.heading(), 'MAIN CONFIGURATION MENU');
    await site.screenshot(tab.page, 'main-menu-after-saving');
  });

  it('adds a language under its name and saves it with its extension', async () => {
    await tab.page.goto(site.url('?target=sdef'));
    assert.equal(await tab.page.isChecked('input[name="islanguage"]'), false);
    await tab.page.selectOption('select[name="language"]', { label: 'German' });
    await tab.page.check('input[name="islanguage"]');
    tab.answer(true);
    await tab.submits(() => tab.click(saveButton));
    const { dialogs, posts } = tab.take();
    assert.deepEqual(dialogs, [confirmation('"Language" added: German'),
      'alert: Search defaults was saved successfully']);
    assert.ok(posts[0].some(([name, value]) => name === 'language' && value === 'German'));
    assert.match(site.read('tovimarq.ini'), /\nPLAINTEXT=NO\nLANGUAGE=German\.tvl\n$/);
  });

  // A number is saved clamped: the confirmation names the value saved and the message after
  // saving says it was limited; a number that is not whole is refused before posting.
  it('names the clamped value and refuses a number that is not whole', async () => {
    await tab.page.goto(site.url('?target=sdef'));
    const quotes = 'input[name="quotes"]';
    await tab.page.check('input[name="isquotes"]');
    await tab.page.fill(quotes, '4O');
    await tab.staysOn(() => tab.click(saveButton));
    assert.deepEqual(tab.take(), {
      dialogs: ['alert: "Number of quotes to generate" must be a whole number'], posts: [] });
    assert.equal(await tab.page.evaluate(() => document.activeElement.name), 'quotes');

    await tab.page.fill(quotes, '5000');
    tab.answer(true);
    await tab.submits(() => tab.click(saveButton));
    const { dialogs } = tab.take();
    assert.deepEqual(dialogs, [confirmation('"Number of quotes to generate" set to: 1000'),
      'alert: Search defaults was saved successfully\nQUOTES was limited to 1000']);
    assert.match(site.read('tovimarq.ini'), /\nQUOTES=1000\n/);
  });
});
