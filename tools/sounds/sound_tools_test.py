"""The loudness meter against BS.1770's reference tone, the lame tag reader
against what lame was given, and the normaliser's targets."""
import os
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import build_sounds  # noqa: E402
import loudness  # noqa: E402
import mp3_info  # noqa: E402


def synth(path, channels, *chain):
    subprocess.run(["sox", "-V1", "-R", "-D", "-n", "-r", "44100", "-c", str(channels), "-b", "32", path]
                   + list(chain), check=True)


class SoundToolsTest(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.addCleanup(self.tmp.cleanup)

    def path(self, name):
        return os.path.join(self.tmp.name, name)

    def test_loudness_of_the_reference_tone(self):
        # A 997 Hz tone at -20 dBFS reads -23 LUFS on one channel, -20 on two.
        cases = [
            ("mono", 1, ["synth", "5", "sine", "997", "vol", "0.1"], -23.0),
            ("stereo", 2, ["synth", "5", "sine", "997", "vol", "0.1"], -20.0),
            ("shorter than a block", 1, ["synth", "0.1", "sine", "997", "vol", "0.1"], -23.0),
            ("quiet tail gated out", 1, ["synth", "3", "sine", "997", "vol", "0.1", ":",
                                         "synth", "6", "sine", "997", "vol", "0.0001"], -23.0),
        ]
        for name, channels, chain, lufs in cases:
            with self.subTest(name):
                synth(self.path("tone.wav"), channels, *chain)
                self.assertAlmostEqual(loudness.integrated(self.path("tone.wav")), lufs, delta=0.3)
                self.assertAlmostEqual(loudness.peak_dbfs(self.path("tone.wav")), -20.0, delta=0.1)

    def test_lame_tag_gives_the_length_and_start_lame_was_given(self):
        # A click 50 ms in: found where the tag says the sound starts.
        for channels, lame in ((1, build_sounds.LAME_EFFECT), (2, build_sounds.LAME_MUSIC)):
            with self.subTest(channels=channels):
                wav, mp3 = self.path("click.wav"), self.path("click.mp3")
                synth(wav, channels, "synth", "0.05", "sine", "0", "vol", "0", ":", "synth", "0.01", "square",
                      "1000", "vol", "0.5", ":", "synth", "0.14", "sine", "0", "vol", "0")
                subprocess.run(["sox", "-V1", "-D", wav, "-b", "16", self.path("click16.wav")], check=True)
                subprocess.run(lame + [self.path("click16.wav"), mp3], check=True)
                info = mp3_info.read(mp3)
                self.assertEqual((info.rate, info.samples), (44100, 8820))
                samples, _, got = loudness.read_samples(mp3)
                first = next(i for i, x in enumerate(samples[::got]) if abs(x) > 0.25)
                self.assertEqual(first - info.start, 2205)

    def test_normalised_sounds_meet_their_targets_under_the_ceiling(self):
        # A steady tone needs only gain; a sharp pluck needs the limiter too.
        cases = [("tone", ["synth", "1", "sine", "440", "vol", "0.05"]),
                 ("pluck chord", ["synth", "1", "pluck", "523", "synth", "1", "pluck", "mix", "659",
                                  "fade", "q", "0", "1", "0.9"])]
        ceiling = build_sounds.PEAK_CEILING - build_sounds.PEAK_MARGIN
        for name, chain in cases:
            with self.subTest(name):
                synth(self.path("in.wav"), 1, *chain)
                build_sounds.normalise(self.path("in.wav"), -16.0, self.path("out.wav"))
                self.assertAlmostEqual(loudness.integrated(self.path("out.wav")), -16.0, delta=0.5)
                self.assertLessEqual(loudness.peak_dbfs(self.path("out.wav")), ceiling + 0.1)


if __name__ == "__main__":
    unittest.main()
