// The page's side of the session's frontend (window.vellarPage): dialogs, file pickers, the
// run timer, the slices of an unpaced run, the caption, the focus and printing.
import * as dialogs from './dialogs.js';
import { fs } from './bridge.js';

const DIR = '/Dateien/';
const pendingSaves = new Map(); // name -> { handle or null, ino before }

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

function inode(name) {
  try {
    return fs().stat(DIR + name).ino;
  } catch {
    return null;
  }
}

export function createHost(page) {
  let timer = null;

  return {
    showMessage(text, caption, error) {
      dialogs.showMessage(text, caption, error);
    },
    askYesNo(question) {
      return dialogs.askYesNo(question);
    },
    askOpenFile(filter) {
      return new Promise((resolve) => {
        const input = document.createElement('input');
        input.type = 'file';
        input.accept = extensions(filter).join(',');
        input.addEventListener('change', async () => {
          const file = input.files[0];
          if (!file) return resolve(null);
          const bytes = new Uint8Array(await file.arrayBuffer());
          fs().writeFile(DIR + file.name, bytes);
          resolve(file.name);
        });
        input.addEventListener('cancel', () => resolve(null));
        page.fileInput?.(input);
        input.click();
      });
    },
    async askSaveFile(filter, filterIndex, ext) {
      const suggestion = page.suggestedName(ext);
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
      if (!/\.[^.]+$/.test(name) && ext) name += '.' + ext;
      pendingSaves.set(name, { handle, ino: inode(name) });
      return name;
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
}

// After a handler: what it saved goes to the file the user picked, or is downloaded.
export async function deliverSaves() {
  for (const [name, target] of [...pendingSaves]) {
    pendingSaves.delete(name);
    const ino = inode(name);
    if (ino === null || ino === target.ino) continue;
    const bytes = fs().readFile(DIR + name);
    if (target.handle) {
      const writable = await target.handle.createWritable();
      await writable.write(bytes);
      await writable.close();
    } else {
      const url = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
      const a = document.createElement('a');
      a.href = url;
      a.download = name;
      document.body.appendChild(a);
      a.click();
      a.remove();
      setTimeout(() => URL.revokeObjectURL(url), 10000);
    }
  }
}
