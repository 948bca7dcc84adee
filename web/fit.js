// The window on screens smaller than itself: scaled down as a whole until
// it fits the width and the height, never below the scale at which its text
// stays legible (then the page scrolls), and at 100 % left exactly as it
// is. On a touch screen each box, list and list button also gets a larger
// invisible hit area in the empty space around it; the drawing stays put.
'use strict';

window.RampwallFit = (() => {
  // 9-point captions at 0.55 are 6.6 CSS pixels: small, but legible on a
  // phone's dense screen, where the browser's own zoom helps further.
  const smallestScale = 0.55;
  const margin = 16; // around the window at 100 %
  const tightMargin = 4;

  // The window's size at 100 %, from its client area's place in the page
  // and the menu bar's, with no layout asked for: a window that fits, as on
  // any desktop screen, costs its first paint nothing here.
  function naturalSize(windowElement) {
    const client = windowElement.querySelector('.client');
    const border = 2;
    const menuBar = 23; // 22 and its rule
    return {width: parseFloat(client.style.width) + border, height: parseFloat(client.style.height) + menuBar + border};
  }

  function scaleFor(windowElement) {
    const {width, height} = naturalSize(windowElement);
    const room = {width: window.innerWidth, height: window.innerHeight};
    if (width + 2 * margin <= room.width && height + 2 * margin <= room.height) return 1;
    // Scroll bars take nothing from a window that fits.
    const fitting = Math.min((room.width - 2 * tightMargin) / width, (room.height - 2 * tightMargin) / height);
    return Math.max(smallestScale, Math.min(1, fitting));
  }

  function fit(windowElement) {
    const scale = scaleFor(windowElement);
    document.body.classList.toggle('fitted', scale < 1);
    windowElement.style.zoom = scale < 1 ? String(scale) : '';
    return scale;
  }

  // A control's rectangle in the client area, in the window's own pixels.
  function rectOf(element, client) {
    let left = 0;
    let top = 0;
    for (let at = element; at && at !== client; at = at.offsetParent) {
      left += at.offsetLeft;
      top += at.offsetTop;
    }
    return {left, top, right: left + element.offsetWidth, bottom: top + element.offsetHeight};
  }

  const overlaps = (a, b) => a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;

  // One pixel more on each side that is clear of every obstacle.
  function grow(rect, obstacles) {
    const grown = {...rect};
    for (const [side, sign] of [['top', -1], ['bottom', 1], ['left', -1], ['right', 1]]) {
      const tried = {...grown, [side]: grown[side] + sign};
      if (!obstacles.some((other) => overlaps(tried, other))) grown[side] = tried[side];
    }
    return grown;
  }

  const union = (rects) => ({left: Math.min(...rects.map((r) => r.left)), top: Math.min(...rects.map((r) => r.top)),
                             right: Math.max(...rects.map((r) => r.right)),
                             bottom: Math.max(...rects.map((r) => r.bottom))});

  // The hit areas: for every text box and list, the box with its caption and
  // up to `reach` pixels of the space around them. They grow a pixel a round,
  // all together, so that neighbours meet half way and no area takes the
  // whole gap or covers another control.
  function addHitAreas(client, reach) {
    client.querySelectorAll('.hit').forEach((hit) => hit.remove());
    const shown = [...client.querySelectorAll('.client > :not(.frame), .frame > :not(.frame-caption)')]
      .filter((element) => element.offsetWidth > 0);
    const areas = [...client.querySelectorAll('input.box, .list')].map((box) => {
      const control = box.classList.contains('list') ? box.querySelector('.list-edit') : box;
      const own = [box, client.querySelector(`label[for="${control.id}"]`)].filter(Boolean);
      return {control, own, grown: union(own.map((element) => rectOf(element, client)))};
    });
    for (const area of areas) {
      area.obstacles = shown.filter((element) => !area.own.includes(element)).map((element) => rectOf(element, client));
    }
    for (let round = 0; round < reach; ++round) {
      for (const area of areas) {
        const others = areas.filter((other) => other !== area).map((other) => other.grown);
        area.grown = grow(area.grown, area.obstacles.concat(others));
      }
    }
    for (const area of areas) {
      const hit = document.createElement('span');
      hit.className = 'hit';
      hit.dataset.for = area.control.id;
      Object.assign(hit.style, {left: area.grown.left + 'px', top: area.grown.top + 'px',
                                width: area.grown.right - area.grown.left + 'px',
                                height: area.grown.bottom - area.grown.top + 'px'});
      hit.addEventListener('click', (event) => {
        event.preventDefault();
        const button = area.control.parentElement.querySelector('.list-button');
        // Right of a list's edit line is its button's side: the list opens.
        if (button && event.clientX >= button.getBoundingClientRect().left) {
          button.dispatchEvent(new MouseEvent('mousedown', {bubbles: true, cancelable: true}));
        } else {
          area.control.focus();
        }
      });
      client.prepend(hit);
    }
  }

  // Keeps the window fitted as the screen turns or the browser is resized,
  // with hit areas where fingers point.
  function start(windowElement, client) {
    const touch = window.matchMedia('(pointer: coarse)');
    const refit = () => {
      const scale = fit(windowElement);
      if (touch.matches) {
        addHitAreas(client, Math.ceil(24 / scale));
      } else {
        client.querySelectorAll('.hit').forEach((hit) => hit.remove());
      }
    };
    refit();
    window.addEventListener('resize', refit);
    touch.addEventListener('change', refit);
    return refit;
  }

  return {start, scaleFor};
})();
