// axe-core in the browser tests: every rule of WCAG 2.0, 2.1 and 2.2 at
// levels A and AA run on a page as it stands, its violations given back as
// lines a failed assertion can print ("color-contrast (serious): 2 × …").
//
//   import { axeViolations } from './axe.mjs';
//   assert.deepEqual(await axeViolations(tab), [], 'the player at 390 × 844');
//
// Options: `within`, a selector (the whole document without it); `skip`,
// rules not to run (each caller says why).
import fs from 'node:fs';
import { createRequire } from 'node:module';

const require = createRequire(import.meta.url);
const source = fs.readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8');
const TAGS = ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22a', 'wcag22aa'];

// The violations on `tab`, a playwright page.
export async function axeViolations(tab, { within = null, skip = [] } = {}) {
  if (!(await tab.evaluate(() => Boolean(window.axe)))) await tab.addScriptTag({ content: source });
  const found = await tab.evaluate(async ([tags, within, skip]) => {
    const result = await window.axe.run(within ? document.querySelector(within) : document, {
      runOnly: { type: 'tag', values: tags },
      rules: Object.fromEntries(skip.map((id) => [id, { enabled: false }])),
      resultTypes: ['violations'],
    });
    return result.violations.map((v) => ({
      id: v.id, impact: v.impact,
      nodes: v.nodes.map((n) => `${n.target.join(' ')}: ${n.failureSummary.replace(/\s+/g, ' ').slice(0, 160)}`),
    }));
  }, [TAGS, within, skip]);
  return found.map((v) => `${v.id} (${v.impact}): ${v.nodes.length} × ${v.nodes.slice(0, 3).join(' | ')}`);
}
