// The page's side of the session's frontend (window.vellarPage): dialogs, file pickers, the
// run timer, the slices of an unpaced run, the caption, the focus and printing.
import * as dialogs from './dialogs.js';
import { fs, answer } from './bridge.js';

const DIR = '/Dateien/';
// Where each name the save dialog gave goes: the file the browser lets the page write, or
// null for a download.
const saveTargets = new Map();
// How long the page waits for a picked file after its picker closed and the focus came back.
const PICK_GRACE_MS = 1000;

// "Beschreibung|*.a;*.b|..." -> the extensions of the first entry.
function extensions(filter) {
  const parts = filter.split('|');
  return (parts[1] || '').split(';').map((p) => p.replace('*', '')).filter((p) => p.startsWith('.'));
}

function pickerTypes(filter) {
  const parts = filter.split('|');
  const types = [];
  for (let i = 0; i + 1 < parts.length; i += 2) {
    const exts = parts[i + 1].split(';').map((p) => p.replace('*', '')).filter((p) => /^\.\w+$/.test(p));
    if (exts.length) types.push({ description: parts[i], accept: { 'application/octet-stream': exts } });
  }
  return types;
}

const BROWSER_ERRORS = {
  NotAllowedError: 'Der Browser darf die Datei nicht schreiben (schreibgeschützt oder nicht erlaubt).',
  NoModificationAllowedError: 'Die Datei ist schreibgeschützt oder gerade gesperrt.',
  QuotaExceededError: 'Auf dem Datenträger ist kein Platz mehr.',
  NotFoundError: 'Die Datei oder ihr Ordner ist nicht mehr da.',
  NotReadableError: 'Der Browser kann die Datei nicht lesen (verschoben, geändert oder gesperrt?).',
};

function browserError(e) {
  const name = (e && e.name) || String(e);
  return BROWSER_ERRORS[name] || `Der Browser meldet: ${name}.`;
}

// The page's folder stands for the save's target: a name there is a file that exists, so the
// session asks " überschreiben ?" exactly where a real file with contents is about to be
// replaced. A download never replaces one.
async function mirrorTarget(name, handle) {
  let existing = null;
  if (handle) {
    try {
      const file = await handle.getFile();
      if (file.size > 0) existing = new Uint8Array(await file.arrayBuffer());
    } catch {
      existing = new Uint8Array(0); // unknown: rather ask once too often
    }
  }
  const path = DIR + name;
  if (existing) fs().writeFile(path, existing);
  else if (fs().analyzePath(path).exists) fs().unlink(path);
}

async function writeToHandle(handle, bytes) {
  const writable = await handle.createWritable();
  try {
    await writable.write(bytes);
    await writable.close();
  } catch (e) {
    await writable.abort?.().catch(() => {});
    throw e;
  }
}

export function download(name, bytes) {
  const url = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
  const a = document.createElement('a');
  a.href = url;
  a.download = name;
  document.body.appendChild(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(url), 10000);
}

// The answers of vellar_answer, and the kinds of question the session asks (Question::Kind).
const YES = 0;
const NO = 1;
const CANCEL = 2;
const YES_NO_CANCEL = 1;
const FINISH_SAVE = 4;

export function createHost(page) {
  let timer = null;

  const host = {
    showMessage(text, caption, error) {
      dialogs.showMessage(text, caption, error);
    },
    // A command of the session waits for this answer. Every question gets one, so that the
    // command ends and the page stays usable: an error in the page counts as "Nein",
    // "Abbrechen" or a cancelled picker, and leaves a save undone.
    ask(kind, text, filter, filterIndex, ext, suggestion, several) {
      const asks = [
        () => dialogs.askYesNo(text).then((yes) => [yes ? YES : NO, null]),
        () => dialogs.askYesNoCancel(text).then((yes) => [yes === null ? CANCEL : yes ? YES : NO, null]),
        () => host.askOpenFile(filter, several).then((name) => [YES, name]),
        () => host.askSaveFile(filter, filterIndex, ext, suggestion).then((name) => [YES, name]),
        () => host.finishSave(text).then((error) => [error ? NO : YES, error]),
        // A line of text: its title comes as the filter, its first value as the suggestion.
        () => dialogs.askText(filter, text, suggestion).then((line) => [line === null ? CANCEL : YES, line]),
      ];
      const failed = (e) => (kind === FINISH_SAVE ? [NO, String(e)] : [kind === YES_NO_CANCEL ? CANCEL : NO, null]);
      Promise.resolve()
        .then(asks[kind])
        .catch(failed)
        .then(([choice, reply]) => {
          answer(choice, reply);
          page.invalidate();
        });
    },
    // Ends with the picked file's name, or null: when the picker is cancelled, when it closed
    // without a word (the focus came back and no file followed), or when the file cannot be
    // read (with a message). With several, every picked file is taken (a task with its start
    // files, which the page cannot fetch by their names), and the answer is all their names,
    // one a line: which is the task the model decides.
    askOpenFile(filter, several = false) {
      return new Promise((resolve) => {
        let picked = false;
        let settled = false;
        const settle = (name) => {
          if (settled) return;
          settled = true;
          window.removeEventListener('blur', onBlur);
          resolve(name);
        };
        const onFocus = () => setTimeout(() => picked || settle(null), PICK_GRACE_MS);
        const onBlur = () => window.addEventListener('focus', onFocus, { once: true });
        const input = document.createElement('input');
        input.type = 'file';
        const wanted = extensions(filter);
        input.multiple = several;
        if (!several) input.accept = wanted.join(',');
        input.addEventListener('change', async () => {
          const files = [...input.files];
          if (!files.length) return settle(null);
          picked = true;
          const answer = several
            ? files.map((f) => f.name).join('\n')
            : (files.find((f) => wanted.some((e) => f.name.toLowerCase().endsWith(e))) || files[0]).name;
          for (const file of files) {
            try {
              fs().writeFile(DIR + file.name, new Uint8Array(await file.arrayBuffer()));
            } catch (e) {
              dialogs.showMessage(`„${file.name}“ konnte nicht gelesen werden.\n${browserError(e)}`, '', true);
              return settle(null);
            }
          }
          settle(answer);
        });
        input.addEventListener('cancel', () => settle(null));
        window.addEventListener('blur', onBlur, { once: true });
        page.fileInput?.(input);
        input.click();
      });
    },
    async askSaveFile(filter, filterIndex, ext, suggestion) {
      let handle = null;
      let name = null;
      if (window.showSaveFilePicker && !page.downloadsOnly) {
        try {
          const types = pickerTypes(filter);
          const first = types.splice(Math.max(0, filterIndex - 1), 1);
          handle = await window.showSaveFilePicker({ suggestedName: suggestion, types: [...first, ...types] });
          name = handle.name;
        } catch (e) {
          if (e && e.name === 'AbortError') return null;
          handle = null;
        }
      }
      if (!name) name = await dialogs.askFileName(suggestion);
      if (!name) return null;
      name = name.split(/[\\/]/).pop();
      if (!/\.[^.]+$/.test(name) && ext) name += '.' + ext.toLowerCase();
      await mirrorTarget(name, handle);
      saveTargets.set(name, handle);
      return name;
    },
    // The session has written the file: it goes to its target. The error text, or null.
    async finishSave(path) {
      const name = path.split('/').pop();
      if (!saveTargets.has(name)) return null;
      const handle = saveTargets.get(name);
      saveTargets.delete(name);
      const bytes = fs().readFile(DIR + name);
      if (!handle) {
        download(name, bytes);
        return null;
      }
      try {
        await writeToHandle(handle, bytes);
        return null;
      } catch (e) {
        return `„${name}“ wurde nicht gespeichert.\n${browserError(e)}\nDie Änderungen sind weiter ungespeichert.`;
      }
    },
    runInSlices() {
      page.runInSlices();
    },
    setTimer(enabled, interval) {
      if (timer !== null) clearInterval(timer);
      timer = enabled ? setInterval(() => page.timerTick(), Math.max(1, interval)) : null;
    },
    invalidate() {
      page.invalidate();
    },
    setCaption(text) {
      document.title = text;
    },
    setFocus(control) {
      page.focusControl(control);
    },
    printListing(text, title) {
      const frame = document.createElement('iframe');
      frame.style.position = 'fixed';
      frame.style.width = '0';
      frame.style.height = '0';
      frame.style.border = '0';
      document.body.appendChild(frame);
      const doc = frame.contentDocument;
      doc.title = title;
      const pre = doc.createElement('pre');
      pre.style.font = '10pt "Liberation Mono", "Courier New", monospace';
      pre.textContent = text;
      doc.body.appendChild(pre);
      frame.contentWindow.focus();
      frame.contentWindow.print();
      setTimeout(() => frame.remove(), 1000);
    },
  };
  return host;
}
