// The main window's panels at their design positions: the processor panel with the MPS grid
// and the register panel, the bus panel, the portrait, the RAM panel with its grid and the
// variable inspector, and the control strip. The panels show the view and forward events.
import { el, place, panel, caption, label, group, radio, rgb } from './widgets.js';
import { gatePicture } from './gate_pictures.js';

export const PROCESSOR = rgb(192, 220, 192);
export const BUS = rgb(249, 216, 166);
export const RAM = rgb(166, 202, 240);
export const CONTROL = rgb(180, 180, 180);
const OP_GREEN = rgb(139, 190, 139);
const IP_BLUE = rgb(109, 167, 231);
const OP_TEXT = rgb(75, 142, 75);
const IP_TEXT = rgb(77, 103, 183);

const REG_NAMES = ['EdAX', 'EdBX', 'EdIP', 'EdOP', 'EdAR', 'EdDR', 'EdAL'];
const REG_HINTS = ['Akkumulator', 'Hilfsregister', 'Befehlszähler', 'Befehlsregister',
  'Adressregister', 'Datenregister', 'ALU-Wert'];

// gate, x, y, label y
const REGISTER_GATES = [[0x6, 62, 21, 5], [0xF, 144, 21, 5], [0x4, 62, 73, 57], [0x5, 144, 73, 57],
  [0x2, 62, 125, 109], [0x3, 144, 125, 109], [0x0, 62, 179, 162], [0x1, 144, 179, 162],
  [0xE, 62, 242, 225], [0xD, 192, 242, 225], [0x7, 306, 137, 121]];
const BUS_GATES = [[0x9, 26, 29, 13], [0xA, 26, 69, 52], [0xB, 138, 29, 13], [0xC, 138, 69, 52],
  [0x8, 26, 147, 132]];

export const RUN_BUTTONS = [
  ['BuReset', '|<', 'Zurücksetzen', 0], ['BuPhase', '>', 'Bus-Takt', 1],
  ['Bu2Phasen', '>>', 'Alu-Takt', 2], ['BuTakt', '>>', '1 Takt', 1], ['BuPause', '||', 'Pause', 2],
  ['BuBefehl', '>|', '1 Befehl', 3], ['BuBisHalt', '>||', 'Bis Halt-Befehl', 4],
];

const rect = (x, y, w, h) => ({ x, y, w, h });

export class MainWindow {
  constructor(client, events, resources) {
    this.events = events; // forwards: torClick, regChange, regExit, runButton, raTor, trZeit, raRam
    this.mnemonics = [];
    this.fields = [];
    this.gates = [];
    this.client = client;
    this.paProzessor = panel(client, 'PaProzessor', PROCESSOR);
    caption(this.paProzessor, 'Prozessor');
    this.paRegister = panel(this.paProzessor, 'PaRegister', PROCESSOR, true);
    this.regCanvas = el('canvas', 'picture', this.paRegister);
    this.buildRegisterPanel();
    this.paBus = panel(client, 'PaBus', BUS);
    place(this.paBus, 456, 224, 193, 225);
    caption(this.paBus, 'Bussystem');
    this.paBus2 = place(panel(this.paBus, 'PaBus2', BUS, true), 4, 24, 185, 197);
    this.busCanvas = el('canvas', 'picture', this.paBus2);
    this.buildBusPanel();
    this.buildPortrait(resources);
    this.paRAM = panel(client, 'PaRAM', RAM);
    caption(this.paRAM, 'Arbeitsspeicher (RAM)');
    this.paControl = panel(client, 'PaControl', CONTROL);
    this.buildControls();
    // The register fields in the order of the machine's registers.
    this.fields.sort((a, b) => a.reg - b.reg);
  }

  field(parent, reg, x, y) {
    const f = place(el('input', 'reg', parent, { id: REG_NAMES[reg], maxLength: 2 }), x, y);
    f.reg = reg;
    f.title = REG_HINTS[reg];
    f.spellcheck = false;
    f.autocomplete = 'off';
    f.readOnly = reg === 6;
    f.style.color = reg === 3 ? OP_TEXT : reg === 2 || reg === 4 ? IP_TEXT : '#000';
    f.value = '00';
    f.addEventListener('input', () => {
      this.events.regChange(reg, f.value);
    });
    f.addEventListener('focus', () => setTimeout(() => f.select(), 0));
    f.addEventListener('blur', (e) => {
      if (e.relatedTarget && e.relatedTarget.closest('#modal')) return;
      this.events.regExit(reg);
    });
    this.fields.push(f);
    return f;
  }

  backdrop(parent, colour, x, y) {
    place(el('div', 'backdrop', parent), x, y).style.background = colour;
  }

  valuePanel(parent, id, text, x, y, colour) {
    const v = place(el('div', 'value', parent, { id, textContent: text }), x, y);
    v.style.background = colour;
    return v;
  }

  gateButtons(parent, places, colour) {
    for (const [gate, x, y, labelY] of places) {
      const hex = gate.toString(16).toUpperCase();
      place(el('div', 'gate-number', parent, { id: 'La_' + hex, textContent: hex }), x, labelY);
      const b = place(el('button', 'gate', parent, { id: 'Tor_' + hex }), x, y);
      b.style.background = colour;
      b.gate = gate;
      b.img = el('img', '', b, { width: 17, height: 17, alt: '' });
      b.shown = -1;
      if (gate !== 0xf) b.addEventListener('click', () => this.events.torClick(gate));
      b.addEventListener('mousedown', (e) => e.preventDefault());
      this.gates[gate] = b;
    }
  }

  buildRegisterPanel() {
    const p = this.paRegister;
    const m = this.mnemonics;
    this.backdrop(p, OP_GREEN, 98, 20);
    this.backdrop(p, IP_BLUE, 98, 72);
    const edOP = this.field(p, 3, 100, 22);
    const edIP = this.field(p, 2, 100, 74);
    const edBX = this.field(p, 1, 100, 126);
    const edAX = this.field(p, 0, 100, 180);
    label(p, '&OP', 104, 5, edOP, m);
    label(p, '&IP', 108, 57, edIP, m);
    label(p, '&BX', 104, 109, edBX, m);
    label(p, '&AX', 104, 161, edAX, m);
    this.gateButtons(p, REGISTER_GATES, PROCESSOR);
    this.paSignF = this.valuePanel(p, 'PaSignF', '0', 101, 244, PROCESSOR);
    this.paSignF.title = 'Vorzeichenflag';
    label(p, 'SF', 104, 265);
    this.valuePanel(p, 'PaSubtr', '1', 157, 244, PROCESSOR);
    this.valuePanel(p, 'PaPlus1', '1', 260, 138, PROCESSOR);
    const alu = place(el('div', 'alu', p, { id: 'PaALU' }), 222, 200, 131, 65);
    alu.style.background = PROCESSOR;
    // The ALU's children stand in its coordinates, inside its 2-pixel bevel.
    const edAL = this.field(alu, 6, 50, 26);
    place(el('div', 'bar', alu, { id: 'ShMinu' }), 58, 10, 12, 4);
    this.shPlus = place(el('div', 'bar', alu, { id: 'ShPlus' }), 62, 6, 4, 12);
    this.shPlus.style.borderRadius = '2px';
    label(p, 'A&LU', 275, 185, edAL, m);
    this.registerControls = {
      edAX: rect(100, 180, 27, 21), edBX: rect(100, 126, 27, 21), edIP: rect(100, 74, 27, 21),
      edOP: rect(100, 22, 27, 21), paSignF: rect(101, 244, 25, 21), paSubtr: rect(157, 244, 25, 21),
      paPlus1: rect(260, 138, 25, 21), paALU: rect(222, 200, 131, 65),
    };
  }

  buildBusPanel() {
    const p = this.paBus2;
    const m = this.mnemonics;
    label(p, 'Datenbus', 60, 7);
    label(p, 'Adressbus', 57, 114);
    this.backdrop(p, IP_BLUE, 76, 146);
    const edDR = this.field(p, 5, 78, 50);
    const edAR = this.field(p, 4, 78, 148);
    label(p, '&DR', 80, 32, edDR, m);
    label(p, 'A&R', 81, 131, edAR, m);
    this.gateButtons(p, BUS_GATES, BUS);
    this.busControls = {
      edDR: rect(78, 50, 27, 21), edAR: rect(78, 148, 27, 21), tor9: rect(26, 29, 23, 23),
      torA: rect(26, 69, 23, 23), torB: rect(138, 29, 23, 23), torC: rect(138, 69, 23, 23),
      busWidth: 193,
    };
  }

  buildPortrait(resources) {
    this.imBild = el('img', '', this.client, { id: 'ImBild', src: resources.portrait, alt: '' });
    this.imBild.title = resources.portraitText.split('\n')[0];
    this.moBild = el('pre', '', this.client, { id: 'MoBild', textContent: resources.portraitText });
    this.moBild.style.width = '189px';
    this.moBild.style.height = '223px';
    this.moBild.hidden = true;
    this.imBild.addEventListener('click', () => {
      this.imBild.hidden = true;
      this.moBild.hidden = false;
    });
    this.moBild.addEventListener('click', () => {
      this.moBild.hidden = true;
      this.imBild.hidden = false;
    });
  }

  buildControls() {
    const p = this.paControl;
    p.style.fontSize = '12px';
    const m = this.mnemonics;
    const raTor = group(p, 'RaTor', 'Torsteuerung', 8, 14, 161, 51, CONTROL);
    this.automatic = radio(raTor, 'RaTor', 'Automatisch aus MPS', 15);
    this.manual = radio(raTor, 'RaTor', 'Manuell', 32);
    this.automatic.addEventListener('change', () => this.events.raTor(true));
    this.manual.addEventListener('change', () => this.events.raTor(false));

    const sim = group(p, 'GroupBox1', 'Simulation', 176, 14, 170, 51, CONTROL);
    this.runButtons = RUN_BUTTONS.map(([id, text, hint, at], i) => {
      const b = place(el('button', 'run-button', sim, { id, textContent: text, title: hint }),
        8 + 32 * at, 18);
      b.addEventListener('click', () => this.events.runButton(i));
      return b;
    });

    this.trZeit = el('input', '', p, { id: 'TrZeit', type: 'range', min: -3, max: 13, step: 1 });
    this.trZeit.addEventListener('input', () => this.events.trZeit(Number(this.trZeit.value)));
    this.trZeit.addEventListener('keydown', (e) => {
      const v = Number(this.trZeit.value);
      const to = { ArrowUp: v - 1, ArrowLeft: v - 1, ArrowDown: v + 1, ArrowRight: v + 1,
        PageUp: v - 2, PageDown: v + 2, Home: -3, End: 13 }[e.key];
      if (to === undefined) return;
      e.preventDefault();
      this.events.trZeit(Math.min(13, Math.max(-3, to)));
    });
    this.laZeit = el('label', '', p, { id: 'LaZeit' });
    this.laZeit.addEventListener('mousedown', (e) => e.preventDefault());

    const raRam = group(p, 'RaRam', 'RA&M-Anzeige', 672, 14, 169, 51, CONTROL, m,
      () => (this.assemblerView.checked ? this.assemblerView : this.dataView));
    this.dataView = radio(raRam, 'RaRam', 'Daten', 15);
    this.assemblerView = radio(raRam, 'RaRam', 'Assembler', 32);
    this.dataView.addEventListener('change', () => this.events.raRam(0));
    this.assemblerView.addEventListener('change', () => this.events.raRam(1));

    const hint = group(p, 'Hinweis', 'Hinweis', 848, 13, 177, 51, CONTROL);
    label(hint, 'Einfügen/Löschen von Zeilen', 8, 16).style.fontWeight = 'normal';
    label(hint, 'mit Strg+Einf/Strg+Entf', 8, 32).style.fontWeight = 'normal';
  }

  // The label's mnemonic: "&Zeit" or "Takt&zeit" focuses the slider.
  labelText(text) {
    const i = text.indexOf('&');
    this.laZeit.replaceChildren(text.slice(0, i));
    const u = document.createElement('u');
    u.textContent = text[i + 1];
    this.laZeit.append(u, text.slice(i + 2));
    this.sliderKey = text[i + 1].toLowerCase();
  }

  // Shows the view's registers, gates and control strip.
  show(v) {
    for (const f of this.fields) {
      // A field being typed in keeps its caret; the model's text wins all the same.
      if (f.value !== v.regs[f.reg]) f.value = v.regs[f.reg];
    }
    this.paSignF.textContent = v.sign;
    this.shPlus.hidden = !v.plusBar;
    v.gates.forEach(([picture, enabled, hint], gate) => {
      const b = this.gates[gate];
      const key = picture * 2 + (enabled ? 0 : 1);
      if (b.shown !== key) {
        b.shown = key;
        b.img.src = gatePicture(picture, !enabled);
      }
      b.disabled = !enabled;
      b.title = hint;
    });
    (v.automatic ? this.automatic : this.manual).checked = true;
    this.runButtons.forEach((b, i) => (b.hidden = !v.buttons[i]));
    if (Number(this.trZeit.value) !== v.slider) this.trZeit.value = v.slider;
    this.labelText(v.label);
    (v.ramItem === 1 ? this.assemblerView : this.dataView).checked = true;
  }

  diagramControls(processorWidth) {
    return { ...this.registerControls, ...this.busControls, processorWidth, dy: 108 };
  }
}
