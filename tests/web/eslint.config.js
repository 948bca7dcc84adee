// ESLint over the project's JavaScript: the page's scripts, the module's
// JavaScript window, the tests and the benchmarks. Run from the top folder
// (scripts/analyze.sh):
//   npx --prefix tests/web eslint --config tests/web/eslint.config.js
'use strict';
const fs = require('fs');
const path = require('path');
const js = require('@eslint/js');
const globals = require('globals');

const topFolder = path.resolve(__dirname, '../..');

// The module's C functions as emscripten names them (_rw_compute): a call
// to one the module does not export is an undefined name.
const moduleFunctions = Object.fromEntries(
  [...fs.readFileSync(path.join(topFolder, 'wasm/rampwall_module.cpp'), 'utf8')
    .matchAll(/EMSCRIPTEN_KEEPALIVE [^(]*?\b(rw_\w+)\(/g)]
    .map((match) => ['_' + match[1], 'readonly']));

module.exports = [
  {
    basePath: topFolder,
    files: ['web/*.js', 'wasm/*.js', 'tests/**/*.js', 'bench/*.js'],
    ...js.configs.recommended,
  },
  {
    basePath: topFolder,
    files: ['web/*.js', 'wasm/*.js', 'tests/**/*.js', 'bench/*.js'],
    languageOptions: {ecmaVersion: 2022, sourceType: 'script'},
    rules: {
      'eqeqeq': 'error',
      'no-shadow': 'error',
      'no-unused-vars': ['error', {args: 'after-used'}],
      'prefer-const': 'error',
      'strict': ['error', 'global'],
    },
  },
  {
    // The page's scripts; rampwall.js defines createRampwall.
    basePath: topFolder,
    files: ['web/*.js'],
    ignores: ['web/sw.js'],
    languageOptions: {globals: {...globals.browser, createRampwall: 'readonly'}},
    rules: {'no-var': 'error'},
  },
  {
    // The service worker, with the build's version and files written in.
    basePath: topFolder,
    files: ['web/sw.js'],
    languageOptions: {globals: globals.serviceworker},
    rules: {'no-var': 'error'},
  },
  {
    // Appended to emscripten's loader (--post-js): in its scope, with its
    // memory and the exported functions. Written as the loader is, with var.
    basePath: topFolder,
    files: ['wasm/*.js'],
    languageOptions: {
      globals: {...globals.browser, Module: 'readonly', HEAPU8: 'readonly', _malloc: 'readonly', _free: 'readonly',
                ...moduleFunctions},
    },
    // Its top-level functions are the loader's, used by the functions it adds.
    rules: {'strict': 'off', 'no-unused-vars': ['error', {vars: 'local'}]},
  },
  {
    // Node programs; page_test and page_bench also hand functions to the
    // page, which run in the browser, hence the browser's names too.
    basePath: topFolder,
    files: ['tests/**/*.js', 'bench/*.js'],
    languageOptions: {globals: {...globals.node, ...globals.browser}},
    rules: {'no-var': 'error'},
  },
];
