// The form for a mouse or for fingers, with the sizes the model's table gives (view.sizes):
// larger grid text and choices, a larger area around each gate button that a press hits. Where
// the strip's controls go for these sizes the layout says (MainWindow.placeStrip); the grids'
// rows come from the model itself.
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
}
