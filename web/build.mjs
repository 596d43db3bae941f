// Builds build-web/vellar.html: the page's script bundled by esbuild, the WebAssembly module
// (with its wasm embedded), the style, our examples and texts, all in one file.
import * as esbuild from 'esbuild';
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';
import { fileURLToPath } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const root = path.resolve(here, '..');
const moduleJs = path.resolve(process.argv[2] || path.join(root, 'build-web/cmake/src/web/vellar.js'));
const output = path.resolve(process.argv[3] || path.join(root, 'build-web/vellar.html'));
const MAX_BYTES = 3 * 1024 * 1024;

const read = (p) => fs.readFileSync(path.join(root, p));
const text = (p) => read(p).toString('utf8').replace(/\r\n/g, '\n');

// Each example program under its name and the first line of its description, which stands in
// the assembler source it is made from: "; bubble.asm - Bubblesort: sortiert ...".
function exampleMenu() {
  return fs.readdirSync(path.join(root, 'examples'))
    .filter((n) => n.endsWith('.ras'))
    .sort()
    .map((name) => {
      const source = name.replace(/\.ras$/, '.asm');
      const lines = fs.existsSync(path.join(root, 'examples', source))
        ? text('examples/' + source).split('\n') : [];
      const line = lines.find((l) => l.startsWith('; ' + source + ' - ')) || '';
      const about = line.slice(source.length + 5).split(/[:(]/)[0].trim().replace(/\.$/, '');
      return { ram: name, title: about ? `${name} – ${about}` : name };
    })
    .concat(exampleTasks());
}

// Each example task under its name and its title, after the programs.
function exampleTasks() {
  return fs.readdirSync(path.join(root, 'examples'))
    .filter((n) => n.endsWith('.aufgabe'))
    .sort()
    .map((name) => {
      const title = text('examples/' + name).split('\n').find((l) => /^Titel:/i.test(l));
      return { ram: name, title: `${name} – Aufgabe${title ? ': ' + title.slice(6).trim() : ''}` };
    });
}

// The example files one after another, compressed, with their names and sizes: each in base64
// they took 46 kB of the page, so they take 9 kB. The page inflates them once at its start.
function packedExamples() {
  const names = fs.readdirSync(path.join(root, 'examples')).filter((n) => !n.startsWith('.')).sort();
  const files = names.map((name) => read('examples/' + name));
  return {
    files: names.map((name, i) => [name, files[i].length]),
    data: zlib.deflateSync(Buffer.concat(files), { level: 9 }).toString('base64'),
  };
}

function resources() {
  return {
    examples: packedExamples(),
    exampleMenu: exampleMenu(),
    help: text('src/ui/resources/hilfe.txt') + text('web/src/hilfe_browser.txt'),
    info: text('src/ui/resources/info.txt').trimEnd(),
    portraitText: text('src/ui/resources/bild_text.txt').trimEnd(),
    portrait: 'data:image/png;base64,' + read('src/ui/resources/bild.png').toString('base64'),
  };
}

const resourcePlugin = {
  name: 'vellar-resources',
  setup(build) {
    build.onResolve({ filter: /^vellar:resources$/ }, () => ({ path: 'resources', namespace: 'vellar' }));
    build.onLoad({ filter: /.*/, namespace: 'vellar' }, () => ({
      contents: 'export default ' + JSON.stringify(resources()) + ';',
      loader: 'js',
    }));
  },
};

const bundle = await esbuild.build({
  entryPoints: [path.join(here, 'src/main.js')],
  bundle: true,
  format: 'iife',
  target: 'chrome100',
  minify: true,
  write: false,
  plugins: [resourcePlugin],
  logLevel: 'warning',
});

// A script's text must not end the script element early.
const script = (js) => '<script>' + js.replace(/<\/(script)/gi, '<\\/$1') + '</script>';
const html = [
  '<!DOCTYPE html>',
  '<html lang="de"><head><meta charset="utf-8">',
  '<meta name="viewport" content="width=device-width, initial-scale=1">',
  '<meta name="generator" content="VellarD">',
  '<title>Mikroprozessor Simulation</title>',
  '<style>' + fs.readFileSync(path.join(here, 'src/style.css'), 'utf8') + '</style>',
  '</head><body>',
  fs.readFileSync(path.join(here, 'src/page.html'), 'utf8'),
  script(fs.readFileSync(moduleJs, 'utf8')),
  script(bundle.outputFiles[0].text),
  '</body></html>',
  '',
].join('\n');

if (Buffer.byteLength(html) > MAX_BYTES) {
  console.error(`vellar.html ist ${Buffer.byteLength(html)} Byte groß, erlaubt sind ${MAX_BYTES}.`);
  process.exit(1);
}
fs.mkdirSync(path.dirname(output), { recursive: true });
fs.writeFileSync(output, html);
console.log(output);
