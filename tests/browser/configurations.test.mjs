// The main menu's configuration selector (fselini) and the manage configurations page
// (fcopyini, fdelini) in a browser, with the state file and configuration files they change.
import assert from 'node:assert/strict';
import { after, before, describe, it } from 'node:test';

import { assertUsableEverywhere } from './support/page_checks.mjs';
import { startSite } from './support/site.mjs';

const menuLinks = [
  ['Edit search defaults', 'EDIT SEARCH DEFAULTS'],
  ['Edit file list', 'EDIT FILE LIST'],
  ['Remote file editor', 'EDIT TOVIMARQ™ FILES'],
  ['Test Tovimarq™', 'TEST SEARCH FORM'],
  ['Manage configurations', 'MANAGE MULTIPLE CONFIGURATIONS'],
];

describe('main menu', () => {
  let site;
  let tab;

  before(async () => {
    site = await startSite('main_menu');
    site.write('second.ini', 'QUOTES=50\n');
    site.write('tvqconf.dat', 'tovimarq.ini\nsecond.ini\n');
    tab = await site.open();
  });
  after(() => site.stop());

  it('shows the selected configuration and no password warning behind authentication', async () => {
    await site.screenshot(tab.page, 'main-menu');
    assert.equal(await tab.heading(), 'MAIN CONFIGURATION MENU');
    assert.equal(await tab.selectedConfig(), 'tovimarq.ini');
    assert.equal(await tab.page.locator('text=WARNING!').count(), 0);
    assert.deepEqual(await tab.options('ini'), [['0', 'tovimarq.ini', true], ['1', 'second.ini', false]]);
    await assertUsableEverywhere(site, tab.page, 'main-menu');
  });

  it('leads to each page', async () => {
    for (const [link, heading] of menuLinks) {
      await tab.submits(() => tab.click(`a:has-text("${link}")`));
      assert.equal(await tab.heading(), heading);
      await tab.page.goto(site.url());
    }
    assert.deepEqual(tab.take(), { dialogs: [], posts: [] });
  });

  it('does not submit the selector when the selection is unchanged', async () => {
    await tab.staysOn(() => tab.click('input[value="Select"]'));
    assert.deepEqual(tab.take(), { dialogs: [], posts: [] });
  });

  it('selects another configuration and remembers it', async () => {
    await tab.page.selectOption('select[name="ini"]', '1');
    const version = await tab.page.inputValue('input[name="version"]');
    await tab.submits(() => tab.click('input[value="Select"]'));
    assert.deepEqual(tab.take(), {
      dialogs: [],
      posts: [[['target', 'main'], ['ini', '1'], ['act', 'selini'], ['version', version]]],
    });
    assert.equal(await tab.selectedConfig(), 'second.ini');
    assert.equal(site.read('tvqconf.dat'), 'second.ini\ntovimarq.ini\n');
    await site.screenshot(tab.page, 'main-menu-after-selecting');
  });
});

describe('manage configurations page', () => {
  let site;
  let tab;

  before(async () => {
    site = await startSite('manage_configurations');
    tab = await site.open('?target=mconf');
  });
  after(() => site.stop());

  const createButton = 'input[value="Create"]';
  const deleteButton = 'input[value="Delete"]';

  it('refuses to delete the only configuration', async () => {
    await site.screenshot(tab.page, 'manage-configurations');
    await assertUsableEverywhere(site, tab.page, 'manage-configurations');
    assert.deepEqual(await tab.options('ini'), [['tovimarq.ini', 'tovimarq.ini', true]]);
    await tab.staysOn(() => tab.click(deleteButton));
    assert.deepEqual(tab.take(),
      { dialogs: ['alert: You must leave at least one configuration file'], posts: [] });
  });

  it('refuses to create a configuration without a name', async () => {
    await tab.staysOn(() => tab.click(createButton));
    assert.deepEqual(tab.take(),
      { dialogs: ['alert: You did not specify a new configuration file name'], posts: [] });
  });

  it('creates a copy of the selected configuration and selects it', async () => {
    site.write('tovimarq.ini', 'QUOTES=50\r\nLANGUAGE=German.tvl\r\n');
    await tab.page.fill('input[name="newini"]', 'copy.ini');
    // No state file yet: the page carries "-" for it.
    assert.equal(await tab.page.inputValue('input[name="version"]'), '-');
    await tab.submits(() => tab.click(createButton));
    assert.deepEqual(tab.take(), {
      dialogs: [],
      posts: [[['target', 'mconf'], ['act', 'copyini'], ['version', '-'], ['ini', 'tovimarq.ini'],
        ['newini', 'copy.ini']]],
    });
    assert.equal(site.read('copy.ini'), 'QUOTES=50\nLANGUAGE=German.tvl\n');
    assert.equal(site.read('tvqconf.dat'), 'copy.ini\ntovimarq.ini\n');
    assert.deepEqual(await tab.options('ini'),
      [['copy.ini', 'copy.ini', true], ['tovimarq.ini', 'tovimarq.ini', false]]);
    await site.screenshot(tab.page, 'manage-configurations-after-copying');
  });

  it('copies on Enter in the name field, as the Create button does', async () => {
    await tab.page.fill('input[name="newini"]', 'entered.ini');
    const version = await tab.page.inputValue('input[name="version"]');
    await tab.submits(() => tab.page.press('input[name="newini"]', 'Enter'));
    assert.deepEqual(tab.take().posts, [[['target', 'mconf'], ['act', 'copyini'],
      ['version', version], ['ini', 'copy.ini'], ['newini', 'entered.ini']]]);
    assert.equal(site.read('tvqconf.dat'), 'entered.ini\ncopy.ini\ntovimarq.ini\n');
  });

  it('shows the refusals of the copy as alerts, quotes included', async () => {
    site.write("site's.ini", 'QUOTES=10\n');
    for (const [name, message] of [
      ['../outside.ini', 'You can not create configuration files located outside the tovimarqdata'
        + ' directory using this configuration utility.'],
      ['workdir', 'The directory "workdir" already exists. You can not create a file with the same name.'],
      ["site's.ini", 'The file "site"s.ini" was not changed because it already exists.'],
    ]) {
      await tab.page.fill('input[name="newini"]', name);
      await tab.submits(() => tab.click(createButton));
      assert.deepEqual(tab.take().dialogs, [`alert: ${message}`]);
    }
    assert.equal(site.exists('../outside.ini'), false);
    assert.equal(site.read("site's.ini"), 'QUOTES=10\n');
    assert.equal(site.read('tvqconf.dat'), "site's.ini\nentered.ini\ncopy.ini\ntovimarq.ini\n");
  });

  it('asks before forgetting a configuration and keeps its file', async () => {
    await tab.page.selectOption('select[name="ini"]', 'tovimarq.ini');
    const question = 'confirm: You are about to remove the configuration "tovimarq.ini" from the list.'
      + ' Its file stays on disk.\n\nClick OK to continue';
    tab.answer(false);
    await tab.staysOn(() => tab.click(deleteButton));
    assert.deepEqual(tab.take(), { dialogs: [question], posts: [] });

    tab.answer(true);
    const version = await tab.page.inputValue('input[name="version"]');
    await tab.submits(() => tab.click(deleteButton));
    const { dialogs, posts } = tab.take();
    assert.deepEqual(dialogs, [question, 'alert: tovimarq.ini was removed from the list; its file was kept']);
    assert.deepEqual(posts, [[['target', 'mconf'], ['act', 'delini'], ['version', version],
      ['ini', 'tovimarq.ini'], ['newini', '']]]);
    assert.equal(site.read('tvqconf.dat'), "site's.ini\nentered.ini\ncopy.ini\n");
    assert.equal(site.exists('tovimarq.ini'), true);
    assert.deepEqual((await tab.options('ini')).map(([value]) => value), ["site's.ini", 'entered.ini', 'copy.ini']);
  });
});
