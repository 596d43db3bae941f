// A small test runner for the browser tests: named cases, checks that say what they expected,
// a summary, and a non-zero exit code when anything failed.
import assert from 'node:assert/strict';

const cases = [];

export function test(name, fn) {
  cases.push({ name, fn });
}

// VELLAR_WEB_TESTS=text runs only the cases whose name holds the text.
export async function runAll(context) {
  let failed = 0;
  const only = process.env.VELLAR_WEB_TESTS;
  const chosen = only ? cases.filter((c) => c.name.includes(only)) : cases;
  for (const { name, fn } of chosen) {
    const started = Date.now();
    try {
      await fn(context);
      console.log(`ok   ${name} (${Date.now() - started} ms)`);
    } catch (e) {
      failed++;
      console.log(`FAIL ${name}\n     ${String(e && e.stack ? e.stack : e).split('\n').join('\n     ')}`);
    }
  }
  console.log(`${chosen.length - failed} von ${chosen.length} Browser-Tests bestanden.`);
  return failed;
}

export { assert };
