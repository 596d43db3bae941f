// The pictures on the gate buttons: an arrow with a bar in front of it while the gate is
// closed (red), a longer arrow over grey stripes while it is open (green), pale when disabled.
// Which picture a button shows is the session's; the drawing is here.
const SIZE = 17;
const cache = new Map();

function arrow(x0, xh, tip) {
  return [[x0, 7], [xh, 7], [xh, 3], [tip, 8], [xh, 13], [xh, 9], [x0, 9]];
}

function draw(picture, disabled) {
  const canvas = document.createElement('canvas');
  canvas.width = SIZE;
  canvas.height = SIZE;
  const p = canvas.getContext('2d');
  const open = picture === 1 || picture === 3;
  if (picture >= 2) {
    p.translate(SIZE, 0);
    p.scale(-1, 1);
  }
  const colour = disabled ? '#a5a5a5' : open ? '#009600' : '#dc0000';
  if (open && !disabled) {
    p.strokeStyle = '#bebebe';
    p.lineWidth = 1;
    for (let x = -SIZE; x < SIZE; x += 4) {
      p.beginPath();
      p.moveTo(x + 0.5, SIZE - 0.5);
      p.lineTo(x + SIZE - 0.5, 0.5);
      p.stroke();
    }
  }
  const points = open ? arrow(1, 10, 15) : arrow(1, 7, 11);
  p.beginPath();
  points.forEach(([x, y], i) => (i ? p.lineTo(x + 0.5, y + 0.5) : p.moveTo(x + 0.5, y + 0.5)));
  p.closePath();
  p.strokeStyle = colour;
  p.stroke();
  if (!disabled) {
    p.fillStyle = colour;
    p.fill();
  }
  if (!open) {
    if (disabled) p.strokeRect(13.5, 2.5, 2, 12);
    else {
      p.fillStyle = colour;
      p.fillRect(13, 2, 3, 13);
    }
  }
  return canvas.toDataURL();
}

export function gatePicture(picture, disabled) {
  const key = picture * 2 + (disabled ? 1 : 0);
  if (!cache.has(key)) cache.set(key, draw(picture, disabled));
  return cache.get(key);
}
