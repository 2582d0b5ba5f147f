#!/usr/bin/env node
// Makes one self-contained page from a template in web/pages: every
// `<!-- inline KIND ID SOURCE -->` line is replaced by the source's text,
// so that the page works opened from disk, offline, as one file.
//   style  ID          a <style> with the file ID's text
//   style-text ID SOURCE  a <style> with an id
//   script ID SOURCE   a <script> that runs
//   text   ID SOURCE   a script's text, kept for a worker (type text/plain)
//   data   ID SOURCE   a file's bytes in base64 (type application/octet-stream)
// SOURCE is a file beside the template, or one of the names given on the
// command line (module, player, page), "wasm" (the module's .wasm beside its
// .js) or "fflate" (the zip library from npm). A line that names "inline"
// but reads otherwise stops the page: left as it is, the page would lack its
// style or script and nothing would say so.
//
//   node web/tools/make-page.mjs TEMPLATE -o PAGE --module quiz_web.js [--player player.exe] [--page player.html]
import fs from 'node:fs';
import path from 'node:path';

export function makePage(template, named) {
  const folder = path.dirname(template);
  // fflate's browser build (its package exports no path to it).
  const fflate = new URL('../node_modules/fflate/umd/index.js', import.meta.url).pathname;
  const sources = { fflate, wasm: named.module.replace(/\.js$/, '.wasm'), ...named };
  const read = (source) => fs.readFileSync(sources[source] || path.join(folder, source));
  // Text inside a script element must not close it or open a comment.
  const scriptText = (source) =>
    read(source).toString('utf8').replace(/<\/(script)/gi, '<\\/$1').replace(/<!--/g, '<\\!--');
  const inline = /^[ \t]*<!-- inline ([\w-]+) ([\w.-]+)(?: ([\w.\/-]+))? -->$/;
  const made = {
    style: (id) => `<style>\n${read(id)}</style>`,
    'style-text': (id, source) => `<style id="${id}">\n${read(source)}</style>`,
    script: (id, source) => `<script id="${id}">\n${scriptText(source)}\n</script>`,
    text: (id, source) => `<script type="text/plain" id="${id}">\n${scriptText(source)}\n</script>`,
    data: (id, source) => `<script type="application/octet-stream" id="${id}">${read(source).toString('base64')}</script>`,
  };
  return fs.readFileSync(template, 'utf8').split('\n').map((line, index) => {
    if (!/<!--\s*inline/.test(line)) return line;
    const [, kind, id, source] = inline.exec(line) || [];
    // Every kind but "style" names its source after its id.
    if (!made[kind] || (kind === 'style') !== (source === undefined))
      throw new Error(`make-page: ${template}:${index + 1}: not an inline line it knows: ${line.trim()}`);
    return made[kind](id, source);
  }).join('\n');
}

if (import.meta.url === `file://${process.argv[1]}`) {
  const args = process.argv.slice(2);
  const option = (name) => {
    const at = args.indexOf(name);
    if (at < 0 || at + 1 >= args.length) throw new Error(`make-page: ${name} is needed`);
    return args.splice(at, 2)[1];
  };
  const output = option('-o');
  const named = { module: option('--module') };
  // Only the studio carries the player and the page it packs quizzes into.
  for (const name of ['player', 'page']) if (args.includes(`--${name}`)) named[name] = option(`--${name}`);
  const page = makePage(args[0], named);
  fs.writeFileSync(`${output}.part`, page);
  fs.renameSync(`${output}.part`, output);
}
