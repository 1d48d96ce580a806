#!/usr/bin/python3
"""tracksmith-cli discid and verify on rips that sox and flac make, laid
out every way a rip keeps its gaps, read against whipper's disc IDs and
AccurateRip checksums, against hand-made EAC and XLD logs, and against
database files served from a local HTTP server this test starts."""

import binascii
import http.server
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import threading
import unittest
import wave

import accuraterip  # whipper's AccurateRip checksums
from whipper.image import table as wtable

CLI = None
SECTOR = 588
RATE = 44100


def run(*args, env=None):
    return subprocess.run([CLI, *args], capture_output=True, text=True, env=env, timeout=300)


def sox(*args):
    subprocess.run(['sox', *args], check=True, capture_output=True)


def msf(frames):
    sectors = frames // SECTOR
    return '%02d:%02d:%02d' % (sectors // 4500, sectors // 75 % 60, sectors % 75)


class Disc:
    """A disc of three tracks and an optional hidden track: the image and
    the places of its tracks, in sample frames."""

    def __init__(self, folder, hidden=0):
        self.folder = folder
        self.hidden = hidden
        # track 1, a two-second gap, track 2, track 3 with a stretch of
        # digital silence, lengths in whole sectors
        parts = [('whitenoise', hidden), ('sine 440', 9 * 75 * SECTOR), ('sine 300', 2 * 75 * SECTOR),
                 ('whitenoise', 7 * 75 * SECTOR + 31 * SECTOR), ('silence', 75 * SECTOR),
                 ('pinknoise', 5 * 75 * SECTOR + 17 * SECTOR)]
        pieces = []
        for i, (kind, frames) in enumerate(parts):
            if frames == 0:
                continue
            path = os.path.join(folder, 'part%d.wav' % i)
            if kind == 'silence':
                sox('-n', '-r', '44100', '-b', '16', '-c', '2', path, 'trim', '0', '%ds' % frames)
            else:
                sox('-n', '-r', '44100', '-b', '16', '-c', '2', path, 'synth', '%ds' % frames,
                    *kind.split(), 'vol', '0.4')
            pieces.append(path)
        self.image = os.path.join(folder, 'image.wav')
        sox(*pieces, self.image)
        for p in pieces:
            os.remove(p)
        with wave.open(self.image) as w:
            self.frames = w.getnframes()
            self.samples = w.readframes(self.frames)
        self.gap = hidden + 9 * 75 * SECTOR       # track 2's INDEX 00
        self.starts = [hidden, self.gap + 2 * 75 * SECTOR, self.gap + 2 * 75 * SECTOR + 7 * 75 * SECTOR + 31 * SECTOR]

    def cut(self, name, begin, end):
        path = os.path.join(self.folder, name)
        sox(self.image, path, 'trim', '%ds' % begin, '%ds' % (end - begin))
        return name

    def track_bytes(self, i):
        end = self.starts[i + 1] if i + 1 < len(self.starts) else self.frames
        return self.samples[self.starts[i] * 4:end * 4]

    def reference(self):
        """Per track (v1, v2, crc, crc without nulls) from whipper and from
        the CRC's definition, and the image's CRC."""
        out = []
        for i in range(3):
            data = self.track_bytes(i)
            path = os.path.join(self.folder, 'ref.wav')
            with wave.open(path, 'wb') as w:
                w.setnchannels(2)
                w.setsampwidth(2)
                w.setframerate(RATE)
                w.writeframes(data)
            v1, v2 = accuraterip.compute(path, i + 1, 3)
            os.remove(path)
            nonnull = b''.join(data[k:k + 2] for k in range(0, len(data), 2) if data[k:k + 2] != b'\0\0')
            out.append((v1, v2, binascii.crc32(data), binascii.crc32(nonnull)))
        image = binascii.crc32(self.samples[self.starts[0] * 4:])
        return out, image

    def whipper_ids(self, data_sectors=0):
        t = wtable.Table()
        for n, start in enumerate(self.starts, 1):
            track = wtable.Track(n)
            track.index(1, absolute=start // SECTOR)
            t.tracks.append(track)
        t.leadout = (self.frames + SECTOR - 1) // SECTOR
        if data_sectors:
            # the second session of an enhanced CD
            track = wtable.Track(len(self.starts) + 1, audio=False, session=2)
            track.index(1, absolute=t.leadout + 11400)
            t.tracks.append(track)
            t.leadout += 11400 + data_sectors
        return t.getMusicBrainzDiscId(), t.getCDDBDiscId(), t.accuraterip_path()

    # Sheets for the same disc.
    def one_image(self, fmt='flac'):
        name = 'image.' + fmt
        if fmt != 'wav':
            sox(self.image, os.path.join(self.folder, name))
        lines = ['FILE "%s" WAVE' % name, '  TRACK 01 AUDIO']
        if self.hidden:
            lines.append('    INDEX 00 00:00:00')
        lines += ['    INDEX 01 %s' % msf(self.starts[0]), '  TRACK 02 AUDIO',
                  '    INDEX 00 %s' % msf(self.gap), '    INDEX 01 %s' % msf(self.starts[1]),
                  '  TRACK 03 AUDIO', '    INDEX 01 %s' % msf(self.starts[2])]
        return self.sheet('image.cue', lines)

    def gaps_appended(self):
        a = self.cut('a1.wav', 0, self.starts[1])
        b = self.cut('a2.flac', self.starts[1], self.starts[2])
        c = self.cut('a3.wav', self.starts[2], self.frames)
        lines = ['FILE "%s" WAVE' % a, '  TRACK 01 AUDIO']
        if self.hidden:
            lines.append('    INDEX 00 00:00:00')
        lines += ['    INDEX 01 %s' % msf(self.starts[0]), '  TRACK 02 AUDIO', '    INDEX 00 %s' % msf(self.gap),
                  'FILE "%s" WAVE' % b, '    INDEX 01 00:00:00',
                  'FILE "%s" WAVE' % c, '  TRACK 03 AUDIO', '    INDEX 01 00:00:00']
        return self.sheet('appended.cue', lines)

    def gaps_prepended(self):
        lines = []
        if self.hidden:
            h = self.cut('p0.flac', 0, self.starts[0])
            lines += ['FILE "%s" WAVE' % h, '  TRACK 01 AUDIO', '    INDEX 00 00:00:00']
        a = self.cut('p1.flac', self.starts[0], self.gap)
        b = self.cut('p2.flac', self.gap, self.starts[2])
        c = self.cut('p3.flac', self.starts[2], self.frames)
        lines += ['FILE "%s" WAVE' % a] + ([] if self.hidden else ['  TRACK 01 AUDIO']) + [
            '    INDEX 01 00:00:00', 'FILE "%s" WAVE' % b, '  TRACK 02 AUDIO', '    INDEX 00 00:00:00',
            '    INDEX 01 %s' % msf(self.starts[1] - self.gap), 'FILE "%s" WAVE' % c, '  TRACK 03 AUDIO',
            '    INDEX 01 00:00:00']
        return self.sheet('prepended.cue', lines)

    def sheet(self, name, lines):
        path = os.path.join(self.folder, name)
        with open(path, 'w') as f:
            f.write('\n'.join(lines) + '\n')
        return path


def parse_verify(text):
    """Track number -> dict of what verify printed for it."""
    rows = {}
    for line in text.splitlines():
        if not line.startswith('Track '):
            continue
        words = line.split()
        rows[int(words[1])] = {
            'v1': int(words[words.index('v1') + 1], 16),
            'v2': int(words[words.index('v2') + 1], 16),
            'crc': int(words[words.index('CRC') + 1], 16),
            'crcnn': int(words[words.index('nulls') + 1], 16),
            'line': line,
        }
    return rows


def eac_log(path, sums, wrong_crc_track=None):
    lines = ['Exact Audio Copy V1.6 from 23. October 2020', '', 'EAC extraction logfile from 8. December 2026', '']
    for n, (v1, v2, crc, _) in enumerate(sums, 1):
        if n == wrong_crc_track:
            crc ^= 0x10
        lines += ['Track %2d' % n, '', '     Peak level 98.0 %', '     Copy CRC %08X' % crc,
                  '     Accurately ripped (confidence 4)  [%08X]  (AR v2)' % v2, '     Copy OK', '']
    lines += ['No errors occurred', '', 'End of status report']
    with open(path, 'wb') as f:
        f.write(b'\xff\xfe' + '\r\n'.join(lines).encode('utf-16-le'))


def xld_log(path, sums, image_crc):
    lines = ['X Lossless Decoder version 20230627 (157.2)', '', 'All Tracks',
             '    CRC32 hash               : %08X' % image_crc, '']
    for n, (v1, v2, crc, crcnn) in enumerate(sums, 1):
        lines += ['Track %02d' % n, '    Filename : /x/%02d.flac' % n, '',
                  '    CRC32 hash               : %08X' % crc, '    CRC32 hash (skip zero)   : %08X' % crcnn,
                  '    AccurateRip v1 signature : %08X' % v1, '    AccurateRip v2 signature : %08X' % v2, '']
    with open(path, 'w') as f:
        f.write('\n'.join(lines))


def database_file(ar_path, sums, v1_conf, v2_conf, wrong_track=None):
    """The bytes of a dBAR file: a v1 record and a v2 record."""
    n, id1, id2, cddb = ar_path.split('/')[-1][5:-4].split('-')
    head = struct.pack('<BIII', int(n), int(id1, 16), int(id2, 16), int(cddb, 16))
    out = b''
    for which, conf in ((0, v1_conf), (1, v2_conf)):
        out += head
        for i, s in enumerate(sums):
            value = s[which] ^ (0xFF if i + 1 == wrong_track else 0)
            out += struct.pack('<BII', conf, value, 0)
    return out


class Server:
    """A loopback HTTP server over a folder, started and stopped here."""

    def __init__(self, root):
        handler = lambda *a, **k: http.server.SimpleHTTPRequestHandler(*a, directory=root, **k)
        http.server.SimpleHTTPRequestHandler.log_message = lambda *a: None
        self.httpd = http.server.ThreadingHTTPServer(('127.0.0.1', 0), handler)
        self.port = self.httpd.server_address[1]
        self.thread = threading.Thread(target=self.httpd.serve_forever)
        self.thread.start()

    def stop(self):
        self.httpd.shutdown()
        self.httpd.server_close()
        self.thread.join()


class VerifyTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix='ts-verify-')
        cls.discs = {}
        for hidden in (0, (33 * 75 // 10 + 2) * SECTOR):
            folder = os.path.join(cls.tmp, 'htoa' if hidden else 'plain')
            os.mkdir(folder)
            disc = Disc(folder, hidden)
            cls.discs[hidden != 0] = (disc, disc.reference(),
                                      {'image': disc.one_image(), 'appended': disc.gaps_appended(),
                                       'prepended': disc.gaps_prepended()})
        # Settings of our own, so that the database is the local server.
        cls.env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(cls.tmp, 'config'), HOME=cls.tmp)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp)

    def set_base_url(self, url):
        folder = os.path.join(self.env['XDG_CONFIG_HOME'], 'Kestrel')
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, 'Tracksmith.conf'), 'w') as f:
            f.write('[AccurateRip]\nBaseUrl=%s\n' % url)

    def test_disc_ids_match_whipper_in_every_layout(self):
        for hidden, (disc, _, sheets) in self.discs.items():
            mb, cddb, ar = disc.whipper_ids()
            for layout, sheet in sheets.items():
                with self.subTest(hidden=hidden, layout=layout):
                    r = run('discid', sheet)
                    self.assertEqual(r.returncode, 0, r.stderr)
                    self.assertIn('MusicBrainz disc ID: %s\n' % mb, r.stdout)
                    self.assertIn('freedb ID: %s\n' % cddb, r.stdout)
                    self.assertIn('AccurateRip disc ID: %s\n' % ar, r.stdout)
                    self.assertRegex(r.stdout, r'CTDB TOC ID: [A-Za-z0-9._]{27}-\n')

    def test_enhanced_cd(self):
        disc, (sums, _), sheets = self.discs[False]
        with open(os.path.join(disc.folder, 'data.bin'), 'wb') as f:
            f.write(bytes(2352 * 2000))
        with open(sheets['image']) as f:
            text = f.read()
        sheet = disc.sheet('enhanced.cue', [text.rstrip('\n'), 'FILE "data.bin" BINARY', '  TRACK 04 MODE1/2352',
                                            '    INDEX 01 00:00:00'])
        mb, cddb, ar = disc.whipper_ids(2000)
        r = run('discid', sheet)
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertIn('MusicBrainz disc ID: %s\n' % mb, r.stdout)
        self.assertIn('freedb ID: %s\n' % cddb, r.stdout)
        self.assertIn('AccurateRip disc ID: %s\n' % ar, r.stdout)
        # The audio tracks keep their checksums; the last audio track ends
        # the first session.
        r = run('verify', sheet, '--offline')
        rows = parse_verify(r.stdout)
        self.assertEqual(sorted(rows), [1, 2, 3])
        for n, (v1, v2, crc, crcnn) in enumerate(sums, 1):
            self.assertEqual((rows[n]['v1'], rows[n]['v2'], rows[n]['crc']), (v1, v2, crc), 'track %d' % n)

    def test_checksums_match_whipper_in_every_layout(self):
        for hidden, (disc, (sums, image), sheets) in self.discs.items():
            for layout, sheet in sheets.items():
                with self.subTest(hidden=hidden, layout=layout):
                    r = run('verify', sheet, '--offline')
                    # Offline and without a log nothing can be verified.
                    self.assertEqual(r.returncode, 1, r.stderr)
                    rows = parse_verify(r.stdout)
                    self.assertEqual(sorted(rows), [1, 2, 3])
                    for n, (v1, v2, crc, crcnn) in enumerate(sums, 1):
                        self.assertEqual((rows[n]['v1'], rows[n]['v2'], rows[n]['crc'], rows[n]['crcnn']),
                                         (v1, v2, crc, crcnn), 'track %d' % n)
                        self.assertTrue(rows[n]['line'].endswith('not verified'))
                    self.assertIn('Image CRC %08X\n' % image, r.stdout)
                    self.assertIn('0 of 3 tracks verified\n', r.stdout)

    def test_against_logs(self):
        disc, (sums, image), sheets = self.discs[False]
        log = os.path.join(self.tmp, 'eac.log')
        eac_log(log, sums)
        r = run('verify', sheets['appended'], '--offline', '--log', log)
        self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
        self.assertEqual(r.stdout.count('log: CRC matches, AR v2 matches  verified\n'), 3, r.stdout)
        self.assertIn('All 3 tracks verified\n', r.stdout)

        eac_log(log, sums, wrong_crc_track=2)
        r = run('verify', sheets['appended'], '--offline', '--log', log)
        self.assertEqual(r.returncode, 1)
        self.assertIn('log: CRC differs (log %08X), AR v2 matches  not verified' % (sums[1][2] ^ 0x10), r.stdout)
        self.assertIn('2 of 3 tracks verified\n', r.stdout)

        # An XLD log beside the sheet is found without --log.
        xld_log(os.path.join(disc.folder, 'image.log'), sums, image)
        r = run('verify', sheets['image'], '--offline')
        os.remove(os.path.join(disc.folder, 'image.log'))
        self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
        self.assertIn('Log: XLD\n', r.stdout)
        self.assertIn('Image CRC %08X matches the log\n' % image, r.stdout)
        self.assertEqual(r.stdout.count('CRC without nulls matches, AR v1 matches, AR v2 matches  verified'), 3)

        # What is no log is refused with its name when asked for.
        notes = os.path.join(self.tmp, 'notes.log')
        with open(notes, 'w') as f:
            f.write('nothing to see\n')
        r = run('verify', sheets['image'], '--offline', '--log', notes)
        self.assertEqual(r.returncode, 1)
        self.assertEqual(r.stdout, '')
        self.assertEqual(r.stderr, '"%s" is not a log of Exact Audio Copy or X Lossless Decoder\n' % notes)

    def test_against_the_database(self):
        for hidden in (False, True):
            disc, (sums, _), sheets = self.discs[hidden]
            _, _, ar_path = disc.whipper_ids()
            root = os.path.join(self.tmp, 'server%d' % hidden)
            target = os.path.join(root, 'accuraterip', ar_path)
            os.makedirs(os.path.dirname(target))
            server = Server(root)
            try:
                self.set_base_url('http://127.0.0.1:%d/accuraterip' % server.port)
                with open(target, 'wb') as f:
                    f.write(database_file(ar_path, sums, 5, 2))
                r = run('verify', sheets['prepended'], env=self.env)
                self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
                self.assertEqual(r.stdout.count('AccurateRip: accurately ripped (confidence 7)  verified'), 3,
                                 r.stdout)

                with open(target, 'wb') as f:
                    f.write(database_file(ar_path, sums, 5, 2, wrong_track=3))
                r = run('verify', sheets['image'], env=self.env)
                self.assertEqual(r.returncode, 1)
                rows = parse_verify(r.stdout)
                self.assertIn('AccurateRip: not accurate  not verified', rows[3]['line'])
                self.assertIn('2 of 3 tracks verified', r.stdout)

                with open(target, 'wb') as f:
                    f.write(database_file(ar_path, sums, 5, 2)[:30])
                r = run('verify', sheets['image'], env=self.env)
                self.assertEqual(r.returncode, 1)
                self.assertIn('AccurateRip: The AccurateRip database file is cut short\n', r.stdout)

                os.remove(target)
                r = run('verify', sheets['image'], env=self.env)
                self.assertEqual(r.returncode, 1)
                self.assertEqual(r.stdout.count('AccurateRip: not in the database  not verified'), 3)
            finally:
                server.stop()
            # Nobody answers now: the checksums still come, with the reason.
            r = run('verify', sheets['image'], env=self.env)
            self.assertEqual(r.returncode, 1)
            self.assertIn('AccurateRip: The AccurateRip database at "127.0.0.1" cannot be reached: ', r.stdout)
            self.assertEqual(len(parse_verify(r.stdout)), 3)

    def test_refuses_audio_without_checksums(self):
        folder = os.path.join(self.tmp, 'other')
        os.makedirs(folder, exist_ok=True)
        cases = [('48k.flac', ['-r', '48000', '-b', '16', '-c', '2'],
                  'has audio at 48000 Hz: a CD\'s audio is 44.1 kHz 16-bit stereo'),
                 ('24bit.flac', ['-r', '44100', '-b', '24', '-c', '2'],
                  'is not 44.1 kHz 16-bit stereo audio, which rip checksums are defined on'),
                 ('mono.wav', ['-r', '44100', '-b', '16', '-c', '1'],
                  'is not 44.1 kHz 16-bit stereo audio, which rip checksums are defined on')]
        for name, fmt, message in cases:
            with self.subTest(name=name):
                path = os.path.join(folder, name)
                sox('-n', *fmt, path, 'synth', '10', 'sine', '440')
                sheet = os.path.join(folder, name + '.cue')
                with open(sheet, 'w') as f:
                    f.write('FILE "%s" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n' % name)
                r = run('verify', sheet, '--offline')
                self.assertEqual(r.returncode, 1)
                self.assertEqual(r.stderr, '"%s" %s\n' % (path, message))
                self.assertEqual(r.stdout, '')

    def test_usage(self):
        disc, _, sheets = self.discs[False]
        for args in (['verify'], ['verify', sheets['image'], '--log'], ['verify', sheets['image'], '--fast'],
                     ['discid'], ['discid', 'a.cue', 'b.cue']):
            with self.subTest(args=args):
                r = run(*args)
                self.assertEqual(r.returncode, 2)
                self.assertIn('usage:', r.stderr)


if __name__ == '__main__':
    CLI = sys.argv.pop(1)
    unittest.main(verbosity=2)
