// The main window's panels at their design positions: the processor panel with the MPS grid
// and the register panel, the bus panel, the portrait, the RAM panel with its grid and the
// variable inspector, and the control strip. The panels show the view and forward events.
import { el, place, panel, caption, label, group, radio } from './widgets.js';
import { gatePicture } from './gate_pictures.js';

const REG_NAMES = ['EdAX', 'EdBX', 'EdIP', 'EdOP', 'EdAR', 'EdDR', 'EdAL'];

const rect = (x, y, w, h) => ({ x, y, w, h });

export class MainWindow {
  // form: the model's form, with the colours, places and captions of the controls.
  constructor(client, events, resources, form) {
    this.events = events; // forwards: torClick, regChange, regExit, runButton, raTor, trZeit, raRam
    this.form = form;
    const c = form.colours;
    this.mnemonics = [];
    this.fields = [];
    this.gates = [];
    this.client = client;
    this.paProzessor = panel(client, 'PaProzessor', c.processor);
    caption(this.paProzessor, form.texts.processor);
    this.paRegister = panel(this.paProzessor, 'PaRegister', c.processor, true);
    this.regCanvas = el('canvas', 'picture', this.paRegister);
    this.buildRegisterPanel();
    this.paBus = panel(client, 'PaBus', c.bus);
    place(this.paBus, 456, 224, 193, 225);
    caption(this.paBus, form.texts.bus);
    this.paBus2 = place(panel(this.paBus, 'PaBus2', c.bus, true), 4, 24, 185, 197);
    this.busCanvas = el('canvas', 'picture', this.paBus2);
    this.buildBusPanel();
    this.buildPortrait(resources);
    this.paRAM = panel(client, 'PaRAM', c.ram);
    caption(this.paRAM, form.texts.ram);
    this.paControl = panel(client, 'PaControl', c.control);
    this.buildControls();
    // The register fields in the order of the machine's registers.
    this.fields.sort((a, b) => a.reg - b.reg);
  }

  field(parent, reg, x, y) {
    const f = place(el('input', 'reg', parent, { id: REG_NAMES[reg], maxLength: 2 }), x, y);
    f.reg = reg;
    f.title = this.form.registerHints[reg];
    f.spellcheck = false;
    f.autocomplete = 'off';
    f.readOnly = reg === 6;
    const c = this.form.colours;
    f.style.color = reg === 3 ? c.opText : reg === 2 || reg === 4 ? c.ipText : '#000';
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
    const c = this.form.colours;
    this.backdrop(p, c.opGreen, 98, 20);
    this.backdrop(p, c.ipBlue, 98, 72);
    const edOP = this.field(p, 3, 100, 22);
    const edIP = this.field(p, 2, 100, 74);
    const edBX = this.field(p, 1, 100, 126);
    const edAX = this.field(p, 0, 100, 180);
    const labels = this.form.registerLabels;
    [edOP, edIP, edBX, edAX].forEach((f, i) => label(p, ...labels[i], f, m));
    this.gateButtons(p, this.form.registerGates, c.processor);
    this.paSignF = this.valuePanel(p, 'PaSignF', '0', 101, 244, c.processor);
    this.paSignF.title = this.form.texts.signFlag;
    label(p, ...labels[5]);
    this.valuePanel(p, 'PaSubtr', '1', 157, 244, c.processor);
    this.valuePanel(p, 'PaPlus1', '1', 260, 138, c.processor);
    const alu = place(el('div', 'alu', p, { id: 'PaALU' }), 222, 200, 131, 65);
    alu.style.background = c.processor;
    // The ALU's children stand in its coordinates, inside its 2-pixel bevel.
    const edAL = this.field(alu, 6, 50, 26);
    place(el('div', 'bar', alu, { id: 'ShMinu' }), 58, 10, 12, 4);
    this.shPlus = place(el('div', 'bar', alu, { id: 'ShPlus' }), 62, 6, 4, 12);
    this.shPlus.style.borderRadius = '2px';
    label(p, ...labels[4], edAL, m);
    this.registerControls = {
      edAX: rect(100, 180, 27, 21), edBX: rect(100, 126, 27, 21), edIP: rect(100, 74, 27, 21),
      edOP: rect(100, 22, 27, 21), paSignF: rect(101, 244, 25, 21), paSubtr: rect(157, 244, 25, 21),
      paPlus1: rect(260, 138, 25, 21), paALU: rect(222, 200, 131, 65),
    };
  }

  buildBusPanel() {
    const p = this.paBus2;
    const m = this.mnemonics;
    const c = this.form.colours;
    const labels = this.form.busLabels;
    label(p, ...labels[0]);
    label(p, ...labels[1]);
    this.backdrop(p, c.ipBlue, 76, 146);
    const edDR = this.field(p, 5, 78, 50);
    const edAR = this.field(p, 4, 78, 148);
    label(p, ...labels[2], edDR, m);
    label(p, ...labels[3], edAR, m);
    this.gateButtons(p, this.form.busGates, c.bus);
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

  // A group box of the strip at its place, as the form gives it.
  stripGroup(look, target) {
    const [x, y, w, h] = look.place;
    return group(this.paControl, look.name, look.caption, x, y, w, h, this.form.colours.control,
      this.mnemonics, target);
  }

  // The group's two radio buttons, as the form names and places them.
  stripRadios(groupBox, look) {
    const strip = this.form.strip;
    return look.items.map((text, i) => radio(groupBox, look.name, text, strip.radioY[i]));
  }

  buildControls() {
    const p = this.paControl;
    p.style.fontSize = '12px';
    const strip = this.form.strip;
    const raTor = this.stripGroup(strip.gateControl);
    this.groups = [raTor];
    [this.automatic, this.manual] = this.stripRadios(raTor, strip.gateControl);
    this.automatic.addEventListener('change', () => this.events.raTor(true));
    this.manual.addEventListener('change', () => this.events.raTor(false));

    const sim = this.stripGroup(strip.simulation);
    this.groups.push(sim);
    this.runButtons = strip.runButtons.map(({ name, caption, hint, place: at }, i) => {
      const b = place(el('button', 'run-button', sim, { id: name, textContent: caption, title: hint }), ...at);
      b.addEventListener('click', () => this.events.runButton(i));
      return b;
    });

    this.trZeit = el('input', '', p, { id: 'TrZeit', type: 'range', min: -3, max: 13, step: 1 });
    place(this.trZeit, ...strip.slider);
    this.trZeit.addEventListener('input', () => this.events.trZeit(Number(this.trZeit.value)));
    this.trZeit.addEventListener('keydown', (e) => {
      const v = Number(this.trZeit.value);
      const to = { ArrowUp: v - 1, ArrowLeft: v - 1, ArrowDown: v + 1, ArrowRight: v + 1,
        PageUp: v - 2, PageDown: v + 2, Home: -3, End: 13 }[e.key];
      if (to === undefined) return;
      e.preventDefault();
      this.events.trZeit(Math.min(13, Math.max(-3, to)));
    });
    this.laZeit = place(el('label', '', p, { id: 'LaZeit' }), ...strip.label);
    this.laZeit.addEventListener('mousedown', (e) => e.preventDefault());

    const raRam = this.stripGroup(strip.ramView,
      () => (this.assemblerView.checked ? this.assemblerView : this.dataView));
    [this.dataView, this.assemblerView] = this.stripRadios(raRam, strip.ramView);
    this.groups.push(raRam);
    this.dataView.addEventListener('change', () => this.events.raRam(0));
    this.assemblerView.addEventListener('change', () => this.events.raRam(1));

    const hint = this.stripGroup(strip.hint);
    this.groups.push(hint);
    strip.hint.items.forEach((text, i) => {
      label(hint, text, strip.itemX, strip.hintLineY[i]).style.fontWeight = 'normal';
    });
  }

  // The strip's controls where the layout puts them for the form's sizes and width.
  placeStrip(s) {
    [s.gateControl, s.simulation, s.ramView, s.hint].forEach((r, i) => place(this.groups[i], ...r));
    this.runButtons.forEach((b, i) => place(b, ...s.runButtons[i]));
    place(this.trZeit, ...s.slider);
    place(this.laZeit, ...s.label);
    [this.automatic, this.manual, this.dataView, this.assemblerView].forEach((choice, i) => {
      choice.parentElement.style.top = s.radioY[i % 2] + 'px';
    });
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
