// Bundles the page's modules for the browser, so a first visit fetches one
// script instead of a dozen discovered in waves (web/CMakeLists.txt runs it).
//   node bundle.mjs SITE_SOURCES CORE_GLUE STAMP_FILE OUT_DIR ENTRY...
// Each ENTRY (a module of SITE_SOURCES, without .js) becomes OUT_DIR/ENTRY.js
// with the build's name in place of @TAMSEL_BUILD@. The first is the page's
// start. Another entry is a bundle of its own, left out of every bundle that
// imports it, for a large library that only some lessons load; it must not
// import the page's modules, which hold the lesson once, in the first bundle.
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import * as esbuild from 'esbuild';

const [sources, glue, stampFile, outDir, ...entries] = process.argv.slice(2);
if (!outDir || entries.length === 0) {
    console.error('usage: node bundle.mjs SITE_SOURCES CORE_GLUE STAMP_FILE OUT_DIR ENTRY...');
    process.exit(2);
}
const build = fs.readFileSync(stampFile, 'utf8').trim();

// The core's glue is made by the link, outside the sources; another entry
// is fetched when imported, under the build's name as the page's own script.
const resolve = {
    name: 'tamsel',
    setup(b) {
        b.onResolve({ filter: /^\.\/tamsel-core\.js$/ }, () => ({ path: path.resolve(glue) }));
        for (const name of entries.slice(1)) {
            b.onResolve({ filter: new RegExp(`^\\./${name}\\.js$`) },
                () => ({ path: `./${name}.js?v=@TAMSEL_BUILD@`, external: true }));
        }
    },
};

// What the first picture does not need stays in the file, run only when the
// page first imports it: esbuild turns such an import() into a call.
const result = await esbuild.build({
    entryPoints: entries.map((name) => ({ in: path.join(sources, `${name}.js`), out: name })),
    outdir: outDir,
    bundle: true,
    format: 'esm',
    target: ['chrome100', 'safari15', 'firefox100'],
    minify: true,
    legalComments: 'none',
    plugins: [resolve],
    // Libraries from npm are installed beside this script, not beside the sources.
    nodePaths: [fileURLToPath(new URL('node_modules', import.meta.url))],
    write: false,
    logLevel: 'warning',
});
fs.mkdirSync(outDir, { recursive: true });
for (const file of result.outputFiles)
    fs.writeFileSync(file.path, file.text.replaceAll('@TAMSEL_BUILD@', build));
