// The form for a mouse or for fingers, with the sizes the model's table gives (view.sizes):
// larger grid text, run buttons and choices, a larger area around each gate button that a
// press hits, a taller control strip. The places
// of everything else stay as the window has them; the grids' rows come from the model itself.

// The control strip as the window draws it for a mouse.
const MOUSE = { run: 30, runStep: 32, simLeft: 176, simWidth: 170, group: 51, strip: 73,
  sliderGap: 14, slider: 37, labelGap: 3, labelTop: 33, choiceTop: 15, choiceStep: 17, choice: 13 };

export function applySizes(win, sizes) {
  const key = JSON.stringify(sizes);
  if (win.sizesShown === key) return;
  win.sizesShown = key;
  const client = win.client;
  client.classList.toggle('fingers', sizes.touch);
  for (const [name, value] of [['--grid-font', sizes.gridFont], ['--gate', sizes.gate],
    ['--choice', sizes.choice]]) {
    client.style.setProperty(name, value + 'px');
  }
  const grow = sizes.controlHeight - MOUSE.strip;
  const step = sizes.runWidth + 2;
  const simWidth = MOUSE.simWidth + 4 * (step - MOUSE.runStep) + (sizes.runWidth - MOUSE.run);
  win.runButtons.forEach((b, i) => {
    b.style.left = 8 + step * [0, 1, 2, 1, 2, 3, 4][i] + 'px';
    b.style.width = sizes.runWidth + 'px';
    b.style.height = sizes.runHeight + 'px';
  });
  for (const g of client.querySelectorAll('#PaControl .group-box')) g.style.height = MOUSE.group + grow + 'px';
  client.querySelector('#GroupBox1').style.width = simWidth + 'px';
  const sliderLeft = MOUSE.simLeft + simWidth + MOUSE.sliderGap;
  Object.assign(win.trZeit.style, { left: sliderLeft + 'px', width: sizes.sliderWidth + 'px',
    height: MOUSE.slider + grow + 'px' });
  Object.assign(win.laZeit.style, { left: sliderLeft + sizes.sliderWidth + MOUSE.labelGap + 'px',
    top: MOUSE.labelTop + grow / 2 + 'px' });
  // The second choice of a group below the first, with room for the larger button.
  for (const g of client.querySelectorAll('#RaTor, #RaRam')) {
    const labels = g.querySelectorAll('label');
    labels[1].style.top = MOUSE.choiceTop + MOUSE.choiceStep + (sizes.choice - MOUSE.choice) * 2 + 'px';
  }
}
