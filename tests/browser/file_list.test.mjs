// The file list page in a browser: the directory browser, every add and remove script with its
// dialogs and posted fields, and the file list file after each submission.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { after, before, describe, it } from 'node:test';

import { assertUsableEverywhere } from './support/page_checks.mjs';
import { startSite } from './support/site.mjs';

const buttons = {
  chdir: 'input[value="Change directory"]',
  adddir1: 'input[value="Add the entire directory as a single entry"]',
  adddir3: 'input[value="Add the directory with all subdirectories"]',
  adddir2: 'input[value="Add all files from the directory"]',
  addfiles: 'input[value="Add selected files"]',
  delchk: 'input[value="Remove checked"]',
  delall: 'input[value="Remove all"]',
};
const invalidPath = 'alert: You did not specify a valid virtual path';

describe('file list page', () => {
  let site;
  let tab;
  let root;
  // The entry lines of the file list file, or of an expected one: [keyword line, URL line] pairs.
  const onDisk = () => site.read('filelist.txt').split('\n').filter((line) => /^(FILE|DIR|TREE|URL)=/.test(line));
  const entry = (kind, relative) => [`${kind}=${root}/${relative}`, `URL=${site.origin}/${relative}`];
  let expected;

  const changeDirectory = async (folder) => {
    await tab.page.selectOption('select[name="dirlist"]', folder);
    await tab.submits(() => tab.click(buttons.chdir));
    assert.deepEqual(tab.take().posts,
      [[['target', 'flist'], ['act', 'chdir'], ['fname', 'filelist.txt'], ['dirlist', folder]]]);
  };
  const currentDirectory = async () =>
    (await tab.page.locator('td:has-text("Current directory:") > b').textContent()).trim();
  const addFields = (act, folder, rempath, files = []) => [['target', 'flist'], ['act', act],
    ['curdir', `${root}/${folder}`], ['fname', 'filelist.txt'], ...files.map((f) => ['files', f]),
    ['rempath', rempath]];

  before(async () => {
    site = await startSite('file_list');
    root = site.docRoot;
    expected = [...entry('DIR', 'docs/'), ...entry('FILE', 'index.html'), ...entry('FILE', 'news/2025-01.html'),
      ...entry('FILE', 'news/2026-11.html'), ...entry('TREE', 'products/')];
    tab = await site.open('?target=flist');
  });
  after(() => site.stop());

  it('browses the document root and marks the entry whose file is missing', async () => {
    await site.screenshot(tab.page, 'file-list');
    await assertUsableEverywhere(site, tab.page, 'file-list');
    assert.equal(await tab.heading(), 'EDIT FILE LIST');
    assert.equal(await currentDirectory(), `${root}/`);
    const ancestors = root.split('/').slice(1).map((_, i, parts) => `/${parts.slice(0, i + 1).join('/')}`);
    const folders = (await tab.options('dirlist')).map(([value, , selected]) => (selected ? `>${value}` : value));
    assert.deepEqual(folders, ['/', ...ancestors.slice(0, -1), `>${root}`,
      ...['cgi-bin', 'docs', 'news', 'products'].map((name) => `${root}/${name}`)]);
    assert.deepEqual(await tab.options('files'), [['index.html', 'index.html', false]]);
    assert.equal(await tab.page.locator('input[name="del"]').count(), 5);
    assert.equal(await tab.page.locator('text=* - Warning:').count(), 1);
  });

  it('changes the directory only when another one is chosen', async () => {
    await tab.staysOn(() => tab.click(buttons.chdir));
    assert.deepEqual(tab.take(), { dialogs: [], posts: [] });
    await changeDirectory(`${root}/news`);
    assert.equal(await currentDirectory(), `${root}/news/`);
    assert.deepEqual(await tab.options('files'),
      [['2026-11.html', '2026-11.html', false], ['2026-12.html', '2026-12.html', false]]);
  });

  it('refuses a virtual path that is neither absolute nor an address', async () => {
    for (const rempath of ['', 'news']) {
      await tab.page.fill('input[name="rempath"]', rempath);
      await tab.staysOn(() => tab.click(buttons.adddir1));
      assert.deepEqual(tab.take(), { dialogs: [invalidPath], posts: [] });
      assert.equal(await tab.page.evaluate(() => document.activeElement.name), 'rempath');
    }
  });

  it('adds selected files after counting them', async () => {
    const question = (count) => `confirm: You are about to add ${count} from the directory "${root}/news/"`
      + ' to the File List.\n\nClick OK to continue';
    await tab.page.fill('input[name="rempath"]', '/news');
    await tab.staysOn(() => tab.click(buttons.addfiles));
    assert.deepEqual(tab.take(), { dialogs: ['alert: None of the files are selected.'], posts: [] });

    await tab.page.selectOption('select[name="files"]', ['2026-12.html']);
    await tab.staysOn(() => tab.click(buttons.addfiles));
    assert.deepEqual(tab.take(), { dialogs: [question('1 file')], posts: [] });

    await tab.page.selectOption('select[name="files"]', ['2026-11.html', '2026-12.html']);
    tab.answer(true);
    await tab.submits(() => tab.click(buttons.addfiles));
    assert.deepEqual(tab.take(), {
      dialogs: [question('2 files'), 'alert: 1 entry added'],
      posts: [addFields('addfiles', 'news/', '/news', ['2026-11.html', '2026-12.html'])],
    });
    expected.splice(8, 0, ...entry('FILE', 'news/2026-12.html'));
    assert.deepEqual(onDisk(), expected);
    assert.equal(await currentDirectory(), `${root}/news/`);
  });

  it('adds the directory as a single entry, by its button or by Enter in the virtual path', async () => {
    const question = `confirm: You are about to add the directory "${root}/news/" to the File List as a single entry.`
      + '\n\nClick OK to continue';
    await tab.page.fill('input[name="rempath"]', '/news');
    await tab.page.selectOption('select[name="files"]', ['2026-11.html']);
    tab.answer(false);
    await tab.staysOn(() => tab.click(buttons.adddir1));
    assert.deepEqual(tab.take(), { dialogs: [question], posts: [] });
    tab.answer(true);
    await tab.submits(() => tab.page.press('input[name="rempath"]', 'Enter'));
    assert.deepEqual(tab.take(), {
      dialogs: [`confirm: You are about to add the directory "${root}/news/" to the File List as a single entry.`
        + '\n\nClick OK to continue', 'alert: 1 entry added'],
      posts: [addFields('adddir1', 'news/', '/news')],
    });
    expected.splice(4, 0, ...entry('DIR', 'news/'));
    assert.deepEqual(onDisk(), expected);
  });

  it('adds all files of a directory, with a full address as the virtual path', async () => {
    await changeDirectory(root);
    // A double click on a folder opens it.
    await tab.submits(() => tab.page.dblclick(`select[name="dirlist"] option[value="${root}/products"]`));
    assert.deepEqual(tab.take().posts,
      [[['target', 'flist'], ['act', 'chdir'], ['fname', 'filelist.txt'], ['dirlist', `${root}/products`]]]);
    await tab.page.fill('input[name="rempath"]', `${site.origin}/products`);
    tab.answer(true);
    await tab.submits(() => tab.click(buttons.adddir2));
    assert.deepEqual(tab.take(), {
      dialogs: [`confirm: You are about to add all files from the directory "${root}/products/" to the File List.`
        + '\n\nClick OK to continue', 'alert: 3 entries added'],
      posts: [addFields('adddir2', 'products/', `${site.origin}/products`)],
    });
    expected.push(...entry('FILE', 'products/gadgets.html'), ...entry('FILE', 'products/index.html'),
      ...entry('FILE', 'products/widgets.html'));
    assert.deepEqual(onDisk(), expected);
  });

  it('refuses a directory that a tree entry above it already takes in', async () => {
    await changeDirectory(`${root}/products/archive`);
    assert.deepEqual(await tab.options('files'), [['2025.html', '2025.html', false]]);
    await tab.page.fill('input[name="rempath"]', '/products/archive/');
    tab.answer(true);
    await tab.submits(() => tab.click(buttons.adddir3));
    assert.deepEqual(tab.take(), {
      dialogs: [`confirm: You are about to add the directory "${root}/products/archive/" and all its`
        + ' subdirectories to the File List as a single entry.\n\nClick OK to continue',
      `alert: Nothing was added: ${root}/products/archive/ is already in the list`],
      posts: [addFields('adddir3', 'products/archive/', '/products/archive/')],
    });
    assert.deepEqual(onDisk(), expected);
    await site.screenshot(tab.page, 'file-list-after-adding');
  });

  it('leaves a file list that the engine reads', async () => {
    const engine = await site.context.newPage();
    await engine.goto(`${site.origin}/cgi-bin/tovimarq.cgi?config=tovimarq.ini`);
    const entries = await engine.$$eval('table#filelist tr', (trs) => trs.map((tr) => [...tr.cells]
      .map((td) => td.textContent)));
    assert.deepEqual(entries.flatMap(([kind, file, url]) => [`${kind}=${file}`, `URL=${url}`]), expected);
    assert.deepEqual(entries.filter(([, , , mark]) => mark === 'missing').map(([, file]) => file),
      [`${root}/news/2025-01.html`]);
    await engine.close();
  });

  it('shows only the entries holding the filter text, and ticks or clears only those', async () => {
    const total = expected.length / 2;
    const holding = (text) => expected.flatMap((line, i) => (i % 2 === 0 ? [[line, expected[i + 1]]] : []))
      .map((pair, i) => [pair.join('\n').slice(pair[0].indexOf('=') + 1).toLowerCase(), String(i + 1)])
      .filter(([paths]) => paths.includes(text.toLowerCase())).map(([, number]) => number);
    const shownBoxes = () => tab.page.$$eval('input[name="del"]',
      (boxes) => boxes.filter((box) => box.offsetParent !== null).map((box) => box.value));
    const tickedBoxes = () => tab.page.$$eval('input[name="del"]:checked', (boxes) => boxes.map((box) => box.value));
    const count = () => tab.page.textContent('#shown');
    assert.equal(await count(), `${total} of ${total} entries shown`);
    for (const text of ['products/', 'NEWS', '/2026-1', 'no such entry', '']) {
      await tab.staysOn(() => tab.page.fill('#filter', text));
      const shown = holding(text);
      assert.deepEqual(await shownBoxes(), shown, text);
      assert.equal(await count(), `${shown.length} of ${total} entries shown`);
    }
    await tab.staysOn(() => tab.page.fill('#filter', 'archive'));
    await tab.page.check('#tickshown');
    assert.deepEqual(await tickedBoxes(), holding('archive'));
    await tab.page.uncheck('#tickshown');
    assert.deepEqual(await tickedBoxes(), []);
    await tab.staysOn(() => tab.page.fill('#filter', ''));
    assert.deepEqual(tab.take(), { dialogs: [], posts: [] });
  });

  it('removes the checked entries after counting them', async () => {
    const question = (count) => `confirm: You are about to delete ${count} from the File List.`
      + '\n\nClick OK to continue';
    await tab.staysOn(() => tab.click(buttons.delchk));
    assert.deepEqual(tab.take(), { dialogs: ['alert: No entries are checked.'], posts: [] });

    await tab.page.check('input[name="del"][value="4"]');
    await tab.staysOn(() => tab.click(buttons.delchk));
    assert.deepEqual(tab.take(), { dialogs: [question('1 entry')], posts: [] });

    await tab.page.check('input[name="del"][value="10"]');
    const sum = await tab.page.inputValue('input[name="version"] >> nth=0');
    tab.answer(true);
    await tab.submits(() => tab.click(buttons.delchk));
    assert.deepEqual(tab.take(), {
      dialogs: [question('2 entries'), 'alert: 2 entries removed'],
      posts: [[['del', '4'], ['del', '10'], ['version', sum], ['target', 'flist'], ['act', 'delchk'],
        ['fname', 'filelist.txt'], ['curdir', `${root}/products/archive/`]]],
    });
    expected.splice(18, 2);
    expected.splice(6, 2);
    assert.deepEqual(onDisk(), expected);
    assert.equal(await tab.page.locator('text=* - Warning:').count(), 0);
  });

  it('removes every entry after confirmation', async () => {
    const question = 'confirm: You are about to delete all entries from the File List.\n\nClick OK to continue';
    await tab.staysOn(() => tab.click(buttons.delall));
    assert.deepEqual(tab.take(), { dialogs: [question], posts: [] });

    const sum = await tab.page.inputValue('input[name="version"] >> nth=1');
    tab.answer(true);
    await tab.submits(() => tab.click(buttons.delall));
    assert.deepEqual(tab.take(), {
      dialogs: [question, `alert: ${expected.length / 2} entries removed`],
      posts: [[['version', sum], ['target', 'flist'], ['act', 'delall'], ['fname', 'filelist.txt'],
        ['curdir', `${root}/products/archive/`]]],
    });
    assert.deepEqual(onDisk(), []);
    assert.equal(site.read('filelist.txt').split('\n')[0], `      ${site.origin}/ - file list`);
    assert.equal(await tab.page.locator(buttons.delall).count(), 0);
    await site.screenshot(tab.page, 'file-list-emptied');
  });

  // A page is UTF-8 when all its names are, else windows-1252; the browser posts in the page's
  // character set, so both kinds of name are added and removed byte for byte.
  it('adds and removes a UTF-8 name and a windows-1252 name', async () => {
    const names = [['utf8', Buffer.from('\u00fcber.htm'), '\u00fcber.htm', 'utf-8'],
      ['cp1252', Buffer.from([0x63, 0x61, 0x66, 0xe9, 0x2e, 0x68, 0x74, 0x6d]), 'caf\u00e9.htm', 'windows-1252']];
    for (const [folder, bytes, shown, charset] of names) {
      fs.mkdirSync(`${root}/${folder}`);
      fs.writeFileSync(Buffer.concat([Buffer.from(`${root}/${folder}/`), bytes]), 'x');
      await changeDirectory(root);
      await changeDirectory(`${root}/${folder}`);
      assert.equal(await tab.page.evaluate(() => document.characterSet.toLowerCase()), charset);
      assert.deepEqual(await tab.options('files'), [[shown, shown, false]]);
      await tab.page.selectOption('select[name="files"]', [shown]);
      tab.answer(true);
      await tab.submits(() => tab.click(buttons.addfiles));
      assert.deepEqual(tab.take().dialogs.at(-1), 'alert: 1 entry added');
      assert.ok(site.read('filelist.txt').includes(`FILE=${root}/${folder}/${bytes.toString('latin1')}\n`));
    }
    assert.equal(await tab.page.locator('input[name="del"]').count(), 2);
    await tab.page.check('input[name="del"][value="1"]');
    await tab.page.check('input[name="del"][value="2"]');
    tab.answer(true);
    await tab.submits(() => tab.click(buttons.delchk));
    assert.deepEqual(tab.take().dialogs.at(-1), 'alert: 2 entries removed');
    assert.deepEqual(onDisk(), []);
  });
});
