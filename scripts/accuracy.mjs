// SPDX-License-Identifier: GPL-2.0-or-later
// The applet's ephemeris against Astronomy Engine (VSOP87 planets, the E5 theory of the Galilean
// satellites, the IAU rotation model), at random moments of every quarter century it covers.
// Run by scripts/accuracy: node accuracy.mjs DUMP SAMPLES SEED OUT_TSV OUT_MD [check]
import { spawnSync } from 'node:child_process';
import { writeFileSync } from 'node:fs';
import * as A from 'astronomy-engine';

const [dumpTool, samplesArg, seedArg, tsvPath, mdPath, mode] = process.argv.slice(2);
const SAMPLES = Number(samplesArg), SEED = Number(seedArg) >>> 0;
const RADIUS_AU = A.JUPITER_EQUATORIAL_RADIUS_KM / A.KM_PER_AU;
const DEG = 180 / Math.PI;
const PIXELS_PER_RADIUS = 10;
const MOONS = ['io', 'europa', 'ganymede', 'callisto'];

const dot = (a, b) => a.x * b.x + a.y * b.y + a.z * b.z;
const cross = (a, b) => ({ x: a.y * b.z - a.z * b.y, y: a.z * b.x - a.x * b.z, z: a.x * b.y - a.y * b.x });
const scale = (a, k) => ({ x: a.x * k, y: a.y * k, z: a.z * k });
const sub = (a, b) => ({ x: a.x - b.x, y: a.y - b.y, z: a.z - b.z });
const unit = (a) => scale(a, 1 / Math.sqrt(dot(a, a)));
const fold = (deg) => ((deg % 360) + 360) % 360;
const angleBetween = (a, b) => Math.abs(((a - b + 540) % 360) - 180); // degrees, 0 to 180

// The sky of one UTC moment as seen from the Earth's centre.
function reference(date, meridianAtJ2000 = 43.3, degreesPerDay = 870.27) {
  const time = A.MakeTime(date);
  const geo = A.GeoVector(A.Body.Jupiter, time, false); // light-time corrected, EQJ
  const distance = Math.sqrt(dot(geo, geo));
  const emitted = time.AddDays(-distance / A.C_AUDAY); // when the light left Jupiter
  const pole = A.RotationAxis(A.Body.Jupiter, emitted).north;
  // System II: W = 43.3 + 870.270 d, from the node of Jupiter's equator on the Earth's equator.
  const W = meridianAtJ2000 + degreesPerDay * emitted.tt;
  const node = unit(cross({ x: 0, y: 0, z: 1 }, pole));
  const towardsEarth = unit(scale(geo, -1));
  const theta = Math.atan2(dot(cross(pole, node), towardsEarth), dot(node, towardsEarth)) * DEG;
  const centralMeridian = fold(W - theta);
  const earthDeclination = Math.asin(dot(towardsEarth, pole)) * DEG;
  // On the sky: north is Jupiter's pole projected, west (the face's right) along its equator.
  const sight = unit(geo);
  const north = unit(sub(pole, scale(sight, dot(pole, sight))));
  const west = cross(sight, north);
  const moons = A.JupiterMoons(emitted);
  const offsets = MOONS.map((name) => {
    const m = moons[name];
    return { x: dot(m, west) / RADIUS_AU, y: dot(m, north) / RADIUS_AU, far: dot(m, sight) > 0 };
  });
  return { distance, centralMeridian, earthDeclination, offsets };
}

function dump(lines) {
  const run = spawnSync(dumpTool, [], { input: lines.join('\n') + '\n', encoding: 'utf8', maxBuffer: 1 << 28 });
  if (run.status !== 0) throw new Error(`${dumpTool}: ${run.stderr}`);
  return run.stdout.trim().split('\n').map((line) => {
    const f = line.split(' ');
    const cell = (s) => (s === '-' ? null : s.split(',').map(Number));
    return {
      distance: Number(f[1]), centralMeridian: Number(f[2]), earthDeclination: Number(f[3]),
      offsets: [0, 1, 2, 3].map((i) => ({ x: Number(f[4 + 3 * i]), y: Number(f[5 + 3 * i]), far: f[6 + 3 * i] === '1' })),
      marker: f[17] === '-' ? null : Number(f[17].split(',')[0]),
      dots: [18, 19, 20, 21].map((k) => cell(f[k])),
    };
  });
}

const stamp = (date) => date.toISOString().slice(0, 19).replace('T', ' ');

// A check on a published example before anything is measured, then nothing else.
// System I (W = 67.1 + 877.900 d) is measured too, as the published example gives both; the
// illuminated disk's central meridian lies asin((1 - cos i) / 2) beyond the geometric one.
if (mode === 'check') {
  for (const when of process.argv.slice(8)) {
    const r = reference(new Date(when), 67.1, 877.9), r2 = reference(new Date(when));
    const i = A.Illumination(A.Body.Jupiter, A.MakeTime(new Date(when))).phase_angle;
    const shift = Math.asin((1 - Math.cos(i / DEG)) / 2) * DEG;
    const f = (v) => v.toFixed(2);
    console.log(`${when}: D_E ${f(r2.earthDeclination)}°; geometric disk: ω1 ${f(r.centralMeridian)}°, ` +
      `ω2 ${f(r2.centralMeridian)}°; phase angle ${f(i)}°, so the illuminated disk's ` +
      `meridians lie ${f(shift)}° beyond: ω1 ${f(fold(r.centralMeridian + shift))}°, ` +
      `ω2 ${f(fold(r2.centralMeridian + shift))}°`);
  }
  process.exit(0);
}

// Mulberry32: small, seeded, the same stream on every machine.
let state = SEED;
function random() {
  state = (state + 0x6d2b79f5) >>> 0;
  let t = state;
  t = Math.imul(t ^ (t >>> 15), t | 1);
  t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
  return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
}

const START = Date.UTC(1900, 2, 1), END = Date.UTC(2100, 1, 28, 23, 59, 59);
const periods = [];
for (let year = 1900; year < 2100; year += 25) {
  const from = Math.max(START, Date.UTC(year, 0, 1)), to = Math.min(END, Date.UTC(year + 25, 0, 1) - 1000);
  periods.push({ name: `${year}–${year + 25}`, from, to, rows: [] });
}

const samples = [];
for (const p of periods)
  for (let k = 0; k < SAMPLES; k++) {
    const date = new Date(Math.floor((p.from + random() * (p.to - p.from)) / 1000) * 1000);
    samples.push({ period: p, date, longitude: Math.floor(random() * 360), ref: reference(date) });
  }
const applet = dump(samples.map((s) => `${stamp(s.date)} ${s.longitude}`));
const placed = dump(samples.map((s) => `face ${s.ref.centralMeridian} ${s.longitude} ` +
  s.ref.offsets.map((o) => `${o.x} ${o.y} ${o.far ? 1 : 0}`).join(' ')));

const tsv = ['year\tdistance_error_au\tcm_error_deg\tx_error_px\ty_error_px'];
samples.forEach((s, n) => {
  const a = applet[n], r = s.ref, face = placed[n];
  const row = {
    distance: Math.abs(a.distance - r.distance),
    cm: angleBetween(a.centralMeridian, r.centralMeridian),
    xs: [], ys: [], dotsBoth: 0, dotsMoved: 0, drawnApplet: 0, wronglyDrawn: 0, drawnRef: 0, wronglyHidden: 0,
    marker: a.marker !== null, markerMoved: a.marker !== null && a.marker !== face.marker,
  };
  for (let i = 0; i < 4; i++) {
    const mine = a.dots[i], truth = face.dots[i];
    if (mine || truth) {
      row.xs.push(PIXELS_PER_RADIUS * Math.abs(a.offsets[i].x - r.offsets[i].x));
      row.ys.push(PIXELS_PER_RADIUS * Math.abs(a.offsets[i].y - r.offsets[i].y));
    }
    if (mine && truth) {
      row.dotsBoth++;
      if (mine[0] !== truth[0] || mine[1] !== truth[1]) row.dotsMoved++;
    }
    if (mine) { row.drawnApplet++; if (!truth) row.wronglyDrawn++; }
    if (truth) { row.drawnRef++; if (!mine) row.wronglyHidden++; }
  }
  s.period.rows.push(row);
  const year = s.date.getUTCFullYear() + s.date.getUTCMonth() / 12;
  row.xs.forEach((x, k) => tsv.push([year.toFixed(3), row.distance, row.cm, x, row.ys[k]].join('\t')));
  if (!row.xs.length) tsv.push([year.toFixed(3), row.distance, row.cm, '', ''].join('\t'));
});
writeFileSync(tsvPath, tsv.join('\n') + '\n');

const quantile = (values, q) => {
  if (!values.length) return NaN;
  const v = [...values].sort((a, b) => a - b);
  return v[Math.min(v.length - 1, Math.floor(q * v.length))];
};
const percent = (part, whole) => (whole ? `${((100 * part) / whole).toFixed(1)} %` : '–');
const sum = (rows, key) => rows.reduce((t, r) => t + r[key], 0);
const table = [
  '| period | distance error, AU: median / max | central meridian error, °: median / max | ' +
    'dot error along X, px: median / 99 % / max | along Y, px: median / 99 % / max | ' +
    'dots in another column or row | markers in another column | dots drawn that should not be | ' +
    'dots missing |',
  '|---|---|---|---|---|---|---|---|---|',
];
for (const p of [...periods, { name: 'all', rows: periods.flatMap((q) => q.rows) }]) {
  const r = p.rows, xs = r.flatMap((x) => x.xs), ys = r.flatMap((x) => x.ys);
  const d = r.map((x) => x.distance), c = r.map((x) => x.cm);
  const f = (v, n) => v.toFixed(n);
  table.push(`| ${p.name} | ${f(quantile(d, 0.5), 4)} / ${f(Math.max(...d), 4)} | ` +
    `${f(quantile(c, 0.5), 2)} / ${f(Math.max(...c), 2)} | ` +
    `${f(quantile(xs, 0.5), 2)} / ${f(quantile(xs, 0.99), 2)} / ${f(Math.max(...xs), 2)} | ` +
    `${f(quantile(ys, 0.5), 2)} / ${f(quantile(ys, 0.99), 2)} / ${f(Math.max(...ys), 2)} | ` +
    `${percent(sum(r, 'dotsMoved'), sum(r, 'dotsBoth'))} | ` +
    `${percent(r.filter((x) => x.markerMoved).length, r.filter((x) => x.marker).length)} | ` +
    `${percent(sum(r, 'wronglyDrawn'), sum(r, 'drawnApplet'))} | ` +
    `${percent(sum(r, 'wronglyHidden'), sum(r, 'drawnRef'))} |`);
}
writeFileSync(mdPath, table.join('\n') + '\n');
console.log(table.join('\n'));
