// Checks that every page passes: no axe-core violations of the WCAG 2 A and AA rules, and on a
// phone's screen neither sideways scrolling nor controls too small to hit.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { createRequire } from 'node:module';

const axeSource = fs.readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');

export const desktop = { width: 1024, height: 900 };
export const phone = { width: 390, height: 844 };
// The smallest height of a control a finger can hit.
const minControlHeight = 24;

// Every violation axe-core finds in the page as "rule: element selector" strings.
export async function axeViolations(page) {
  if (!(await page.evaluate(() => 'axe' in window))) await page.addScriptTag({ content: axeSource });
  return page.evaluate(async () => {
    const result = await window.axe.run(document, { runOnly: { type: 'tag', values: ['wcag2a', 'wcag2aa'] } });
    return result.violations.flatMap((violation) =>
      violation.nodes.map((node) => `${violation.id}: ${node.target.join(' ')}`));
  });
}

// What would make the page hard to use at the viewport's width: the page's width when it
// is wider, and every shown control lower than a finger, as "name: height" strings.
async function phoneProblems(page) {
  return page.evaluate((minHeight) => {
    const problems = [];
    const pageWidth = document.documentElement.scrollWidth;
    if (pageWidth > window.innerWidth) problems.push(`page width: ${pageWidth}`);
    for (const control of document.querySelectorAll('input, select, textarea, button')) {
      const box = control.getBoundingClientRect();
      if (control.type === 'hidden' || box.width === 0) continue;
      if (box.height < minHeight) {
        problems.push(`${control.name || control.value || control.type}: ${Math.round(box.height)}`);
      }
    }
    return problems;
  }, minControlHeight);
}

// Asserts both checks at desktop width and at the phone's, leaves a screenshot of the page on
// the phone as `<name>-phone` and returns the tab to desktop width.
export async function assertUsableEverywhere(site, page, name) {
  assert.deepEqual(await axeViolations(page), [], `${name}: accessibility at desktop width`);
  await page.setViewportSize(phone);
  try {
    assert.deepEqual(await axeViolations(page), [], `${name}: accessibility on a phone`);
    assert.deepEqual(await phoneProblems(page), [], `${name}: width and control heights on a phone`);
    await site.screenshot(page, `${name}-phone`);
  } finally {
    await page.setViewportSize(desktop);
  }
}
