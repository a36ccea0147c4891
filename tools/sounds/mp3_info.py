"""What the game's decoder will play of an mp3 made by lame: the rate, the
bit rate and, from lame's Info tag, the samples left once the encoder's
delay and padding are dropped (the decoder plays gapless)."""
import collections
import struct

Mp3Info = collections.namedtuple("Mp3Info", "rate kbps start samples")

SAMPLES_PER_FRAME = 1152   # MPEG-1 layer III
DECODER_DELAY = 529        # what a decoder adds ahead of the encoder's delay
RATES = {0: 44100, 1: 48000, 2: 32000}
KBPS = [0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320]


def skip_id3(data):
    if data[:3] != b"ID3" or len(data) < 10:
        return 0
    size = 0
    for b in data[6:10]:
        size = (size << 7) | (b & 0x7F)
    return 10 + size


def read(path):
    """start: where the sound begins in a plain decode that keeps the Info
    frame and all delays (as sox's does), in samples; samples: its length."""
    with open(path, "rb") as f:
        data = f.read()
    at = skip_id3(data)
    header = data[at:at + 4]
    if len(header) < 4 or header[0] != 0xFF or (header[1] & 0xFE) != 0xFA:
        raise ValueError("%s: not an MPEG-1 layer III file" % path)
    rate = RATES[(header[2] >> 2) & 3]
    kbps = KBPS[header[2] >> 4]
    mono = (header[3] >> 6) == 3
    tag = at + 4 + (17 if mono else 32)
    if data[tag:tag + 4] not in (b"Info", b"Xing"):
        raise ValueError("%s: no Info tag, so no gapless length" % path)
    flags, = struct.unpack(">I", data[tag + 4:tag + 8])
    p = tag + 8
    frames = None
    if flags & 1:
        frames, = struct.unpack(">I", data[p:p + 4])
        p += 4
    p += (4 if flags & 2 else 0) + (100 if flags & 4 else 0) + (4 if flags & 8 else 0)
    if frames is None or data[p:p + 4] != b"LAME":
        raise ValueError("%s: no frame count or lame tag" % path)
    x = data[p + 21:p + 24]
    delay, padding = (x[0] << 4) | (x[1] >> 4), ((x[1] & 0xF) << 8) | x[2]
    return Mp3Info(rate, kbps, SAMPLES_PER_FRAME + delay + DECODER_DELAY,
                   frames * SAMPLES_PER_FRAME - delay - padding)
