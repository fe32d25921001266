// Runs a WebAssembly program that stands alone under node's WASI, with
// standard output and error as node's, and exits with its exit status. The
// file-system calls a test framework may import besides WASI (making and
// removing folders) answer that they are not offered (-ENOSYS).
// Usage: node run-wasi.mjs PROGRAM.wasm [ARGUMENT...]
// (It imports WASI through wasiImport, which Debian 12's node 18 has too;
// getImportObject came later.)
import { readFileSync } from 'node:fs';
import { WASI } from 'node:wasi';

const ENOSYS = 52;
const [program, ...args] = process.argv.slice(2);
const wasi = new WASI({ version: 'preview1', args: [program, ...args], env: {}, returnOnExit: true });
const module = await WebAssembly.compile(readFileSync(program));
const env = Object.fromEntries(WebAssembly.Module.imports(module)
  .filter((i) => i.module === 'env').map((i) => [i.name, () => -ENOSYS]));
const instance = await WebAssembly.instantiate(module, { wasi_snapshot_preview1: wasi.wasiImport, env });
process.exitCode = wasi.start(instance);
