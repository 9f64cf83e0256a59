// Reads the program's ADIF export back with two published ADIF readers and
// checks every field of every record against the log it was made from;
// tcadif also checks each field against the format's enumerations.
// The program is build/vlwinlog, or the one named by VLWINLOG.
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { execFileSync } = require('node:child_process');
const { AdifParser } = require('adif-parser-ts');
const { ADIF } = require('tcadif');

const program = process.env.VLWINLOG || path.resolve(__dirname, '../../../build/vlwinlog');

// The log's own bytes are Windows-1252; the letters used here (Ø, É, ë) have
// the same bytes in Latin-1.
const registration = ['K1VL', '012', '12 Elm St', 'ME', '599', 'Zoë Ward', 'Pine Tree', 'Bangor',
  '04401', '2026'];
// call, sent, rcvd, chapter, name, band, mode, date, time, comment
const contacts = [
  ['NØCALL', '59', '59', '123', 'BOB', '20', 'PHN', '12/06/2026', '18:30', ''],
  ['W1AW/4', '599', '579', '007', 'RENÉ', '40', 'CW', '12/06/2026', '18:45', ''],
  ['K2XYZ', '599', '599', '599', 'SAM', '80', 'DIG', '12/06/2026', '19:02', 'NVL'],
  ['K3BNV', '599', '599', '599', 'JOE', '160', 'CW', '12/06/2026', '19:10', 'BNVL'],
  ['NØCALL', '59', '59', '123', 'BOB', '20', 'PHN', '12/06/2026', '19:15', 'DUPE'],
  ['G4ABC', '59', '57', '001', 'IAN', '15', 'PHN', '12/07/2026', '00:05', ''],
  ['VE3XY', '599', '599', '123', 'AL', '10', 'CW', '12/07/2026', '00:20', 'nice sig'],
  ['KH6DIG', '599', '599', '001', 'KAI', '6', 'DIG', '12/07/2026', '01:00', ''],
  ['W9UV', '59', '59', '007', 'ED', '2', 'PHN', '12/07/2026', '02:30', ''],
];
const widths = [8, 4, 4, 3, 7, 3, 3, 10, 6];

function logLine(fields) {
  return fields.map((f, i) => '"' + (i < widths.length ? f.padEnd(widths[i]).slice(0, widths[i]) : f) + '"')
    .join(',') + '\r\n';
}

function exportFrom(args) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'vl_adif_'));
  fs.writeFileSync(path.join(folder, 'LogOnFile.txt'), Buffer.from(
    registration.map((f) => '"' + f + '"').join(',') + ',-5,"k1vl@example.org"\r\n', 'latin1'));
  fs.writeFileSync(path.join(folder, 'vlqsolog.txt'), Buffer.from(contacts.map(logLine).join(''), 'latin1'));
  const env = { ...process.env };
  delete env.DISPLAY;
  delete env.WAYLAND_DISPLAY;
  delete env.QT_QPA_PLATFORM;
  execFileSync(program, args, { cwd: folder, env });
  const bytes = fs.readFileSync(path.join(folder, args[1]));
  fs.rmSync(folder, { recursive: true, force: true });
  return bytes;
}

const bands = { 160: '160m', 80: '80m', 40: '40m', 20: '20m', 15: '15m', 10: '10m', 6: '6m', 2: '2m' };

test('every record of the ADIF export reads back field for field', () => {
  const bytes = exportFrom(['--export-adif', 'K1VL2026.adi', '--digital-mode', 'FT4', '--phone-mode', 'FM']);
  assert.ok(bytes.every((b) => b < 0x80), 'the file is ASCII only');
  const adif = AdifParser.parseAdi(bytes.toString('ascii'));

  assert.strictEqual(adif.header.adif_ver, '3.1.4');
  assert.strictEqual(adif.header.programid, 'VLWinLog');
  assert.match(adif.header.programversion, /^\d+\.\d+/);
  assert.match(adif.header.created_timestamp, /^\d{8} \d{6}$/);
  assert.strictEqual(adif.records.length, contacts.length);

  adif.records.forEach((record, i) => {
    const [call, sent, rcvd, chapter, name, band, mode, date, time, comment] = contacts[i];
    const expected = {
      call: call.replace(/Ø/g, '0'),
      qso_date: date.slice(6) + date.slice(0, 2) + date.slice(3, 5),
      time_on: time.replace(':', ''),
      band: bands[band],
      mode: { PHN: 'FM', CW: 'CW', DIG: 'MFSK' }[mode],
      rst_sent: sent,
      rst_rcvd: rcvd,
      name: name.normalize('NFD').replace(/[\u0300-\u036f]/g, ''),
      srx_string: chapter,
      stx_string: '012',
      contest_id: 'VELMARA-QSO-PARTY',
      station_callsign: 'K1VL',
    };
    if (mode === 'DIG') expected.submode = 'FT4';
    if (comment) expected.comment = comment;
    assert.deepStrictEqual(record, expected, `record ${i + 1}`);
  });
});

test('digital contacts are RTTY when no mode is named', () => {
  const adif = AdifParser.parseAdi(exportFrom(['--export-adif', 'x.adi']).toString('ascii'));
  const digital = adif.records.filter((r) => r.band === '80m' || r.band === '6m');
  assert.deepStrictEqual(digital.map((r) => [r.mode, r.submode]), [['RTTY', undefined], ['RTTY', undefined]]);
});

// tcadif refuses a MODE outside the enumeration, a SUBMODE under another
// MODE and a malformed field ("field enumeration check failed").
test('tcadif reads every export the digital and phone choices give', () => {
  for (const [digital, phone] of [['FT4', 'SSB'], ['PSK31', 'AM'], ['RTTY', 'DIGITALVOICE'], ['JS8', 'FM'],
    ['OLIVIA 8/250', 'SSB'], ['Q65', 'SSB'], ['CONTESTI', 'SSB'], ['HELL/FMHELL', 'SSB']]) {
    const text = exportFrom(['--export-adif', 'x.adi', '--digital-mode', digital, '--phone-mode', phone])
      .toString('ascii');
    const qsos = ADIF.parse(text).toObject().qsos;
    assert.strictEqual(qsos.length, contacts.length, digital);
    const phoneQsos = qsos.filter((q, i) => contacts[i][6] === 'PHN');
    assert.deepStrictEqual([...new Set(phoneQsos.map((q) => q.MODE))], [phone]);
    const digitalQsos = qsos.filter((q, i) => contacts[i][6] === 'DIG');
    assert.ok(digitalQsos.every((q) => q.MODE !== undefined), digital);
  }
});
