"""Programme loudness in the manner of ITU-R BS.1770: K-weighted mean
square over 400 ms blocks (75 % overlap), an absolute gate at -70 LUFS and
a relative gate 10 LU under the loudness of the blocks that pass it.

sox applies the two K-weighting filters; the gating is done here on the
filtered samples. A sound shorter than one block is measured whole, so that
a short click still gets a figure.
"""
import array
import math
import subprocess

BLOCK_SECONDS = 0.4
STEP_SECONDS = 0.1  # 75 % overlap
ABSOLUTE_GATE = -70.0
RELATIVE_GATE = -10.0


def k_weighting(rate):
    """The two biquads (b0 b1 b2 a0 a1 a2) of the K filter at a sample rate:
    a high shelf of about +4 dB above 1.5 kHz, then a high pass at 38 Hz."""
    k = math.tan(math.pi * 1681.974450955533 / rate)
    q = 0.7071752369554196
    vh = 10 ** (3.999843853973347 / 20)
    vb = vh ** 0.4996667741545416
    a0 = 1 + k / q + k * k
    shelf = [(vh + vb * k / q + k * k) / a0, 2 * (k * k - vh) / a0, (vh - vb * k / q + k * k) / a0,
             1.0, 2 * (k * k - 1) / a0, (1 - k / q + k * k) / a0]
    k = math.tan(math.pi * 38.13547087602444 / rate)
    q = 0.5003270373238773
    a0 = 1 + k / q + k * k
    high_pass = [1.0, -2.0, 1.0, 1.0, 2 * (k * k - 1) / a0, (1 - k / q + k * k) / a0]
    return shelf, high_pass


def read_samples(path, effects=()):
    """The file's samples as floats, channels interleaved, after sox effects;
    and its rate and channel count."""
    rate = int(subprocess.run(["soxi", "-r", path], check=True, capture_output=True, text=True).stdout)
    channels = int(subprocess.run(["soxi", "-c", path], check=True, capture_output=True, text=True).stdout)
    raw = subprocess.run(["sox", "-V1", "-D", path, "-t", "f32", "-e", "floating-point", "-"] + list(effects),
                         check=True, capture_output=True).stdout
    samples = array.array("f")
    samples.frombytes(raw)
    return samples, rate, channels


def block_powers(samples, rate, channels):
    """Mean square of every gating block, summed over the channels."""
    frames = len(samples) // channels
    step = max(1, int(round(STEP_SECONDS * rate)))
    per_step = []
    for start in range(0, frames, step):
        chunk = samples[start * channels:min(frames, start + step) * channels]
        per_step.append(math.fsum(x * x for x in chunk))
    block = int(round(BLOCK_SECONDS / STEP_SECONDS))
    if len(per_step) <= block:
        return [math.fsum(per_step) / max(1, frames)]
    length = block * step
    return [math.fsum(per_step[i:i + block]) / length for i in range(len(per_step) - block + 1)]


def lufs(power):
    return -0.691 + 10 * math.log10(power) if power > 0 else float("-inf")


def integrated(path, span=()):
    """Integrated loudness of an audio file in LUFS (-inf for silence); span:
    sox effects that pick the part to measure."""
    rate = int(subprocess.run(["soxi", "-r", path], check=True, capture_output=True, text=True).stdout)
    shelf, high_pass = k_weighting(rate)
    # sox works in fixed point: 12 dB down first, so the shelf cannot clip.
    effects = list(span) + ["vol", "0.25"]
    effects += ["biquad"] + ["%.12g" % c for c in shelf] + ["biquad"] + ["%.12g" % c for c in high_pass]
    samples, rate, channels = read_samples(path, effects)
    powers = [p * 16 for p in block_powers(samples, rate, channels)]
    blocks = [p for p in powers if lufs(p) > ABSOLUTE_GATE]
    if not blocks:
        return float("-inf")
    gate = lufs(sum(blocks) / len(blocks)) + RELATIVE_GATE
    kept = [p for p in blocks if lufs(p) > gate]
    return lufs(sum(kept) / len(kept))


def peak_dbfs(path, span=()):
    samples, _, _ = read_samples(path, span)
    peak = max((abs(x) for x in samples), default=0.0)
    return 20 * math.log10(peak) if peak > 0 else float("-inf")


def seconds(path):
    return float(subprocess.run(["soxi", "-D", path], check=True, capture_output=True, text=True).stdout)
