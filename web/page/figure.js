// One figure's window life on a canvas, through one module instance: the
// timer at the stored rate, the pause between figures by a timer, the
// changed rectangle copied from the module's pixels. A hidden page does not
// tick, and resumes without catching up.
'use strict';

class OrbiluxFigure {
  constructor(module, canvas) {
    this.M = module;
    this.canvas = canvas;
    this.context = canvas.getContext('2d', {alpha: false});
    this.image = null;
    this.tickTimer = this.pauseTimer = this.pausePending = 0;
    this.running = false;
    document.addEventListener('visibilitychange', () => this.schedule());
  }

  // A new figure from the module's stored values on a black canvas.
  start(seed, width, height) {
    this.fit(width, height);
    this.pausePending = 0;
    this.M._ox_start(seed >>> 0, width, height);
    this.M._ox_changed();  // the erase: a resized opaque canvas is black already
    this.running = true;
    // The first image at once, the next ones at the stored rate.
    if (!document.hidden)
      this.tick();
    this.schedule();
  }

  // `ticks` ticks and no timer: the renderer's still picture. They run in
  // slices of about 15 ms, so that the page stays free to answer; each
  // slice reports the ticks drawn to `progress`. Returns `done`, a promise
  // of the ticks drawn, and `stop`, which ends the run after the current
  // slice.
  still(seed, width, height, ticks, progress) {
    this.fit(width, height);
    this.M._ox_start(seed >>> 0, width, height);
    let drawn = 0, slice = 64, stopped = false, shown = performance.now();
    const done = new Promise((resolve) => {
      const step = () => {
        const count = Math.min(slice, ticks - drawn), begun = performance.now();
        this.M._ox_run(count, drawn + count === ticks ? 1 : 0);
        drawn += count;
        const now = performance.now();
        slice = Math.max(1, Math.min(slice * 4, Math.round(count * 15 / Math.max(now - begun, 0.5))));
        if (stopped || drawn >= ticks) {
          this.show();
          resolve(drawn);
          return;
        }
        if (now - shown > 250) {
          this.show();
          shown = now;
        }
        progress(drawn);
        setTimeout(step, 0);
      };
      step();
    });
    return {done, stop: () => { stopped = true; }};
  }

  // The saver's size event: black, then the figure goes on.
  resize(width, height) {
    if (width === this.canvas.width && height === this.canvas.height)
      return;
    this.fit(width, height);
    this.M._ox_resize(width, height);
    this.M._ox_changed();
  }

  fit(width, height) {
    this.canvas.width = width;
    this.canvas.height = height;
    this.image = null;
  }

  // Copies the rectangle the module changed onto the canvas. The image
  // views the module's memory, made again only when that memory moved.
  show() {
    const M = this.M, width = this.canvas.width, height = this.canvas.height;
    if (!this.image || this.image.data.length === 0) {
      const pixels = new Uint8ClampedArray(M.HEAPU8.buffer, M._ox_pixels(), width * height * 4);
      this.image = new ImageData(pixels, width, height);
    }
    const r = M._ox_changed() >> 2, left = M.HEAP32[r], top = M.HEAP32[r + 1];
    if (left < M.HEAP32[r + 2])
      this.context.putImageData(this.image, 0, 0, left, top, M.HEAP32[r + 2] - left, M.HEAP32[r + 3] - top);
  }

  schedule() {
    clearInterval(this.tickTimer);
    clearTimeout(this.pauseTimer);
    this.tickTimer = this.pauseTimer = 0;
    if (!this.running || document.hidden)
      return;
    if (this.pausePending)
      this.pauseTimer = setTimeout(() => this.endPause(), this.pausePending);
    else
      this.tickTimer = setInterval(() => this.tick(), this.M._ox_interval());
  }

  tick() {
    this.pausePending = this.M._ox_tick();
    this.show();
    if (!OrbiluxFigure.ticked) {
      // The first tick draws the first point; the screen shows it with the
      // next frame (marks for scripts/bench-web.sh).
      OrbiluxFigure.ticked = true;
      performance.mark('orbilux-first-pixel');
      requestAnimationFrame(() => performance.mark('orbilux-first-frame'));
    }
    if (this.pausePending)
      this.schedule();
  }

  endPause() {
    this.pausePending = 0;
    this.M._ox_end_pause();
    this.show();
    this.schedule();
  }
}
