"""Every shipped level shows its whole board clear of the texts and buttons,
and every ball, nest, plate and warp whole when it starts; the tutorial's
step texts stand on empty floor; and the cover measure behind all that, on
a wall and a nest alone."""
import glob
import itertools
import os
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import level_source  # noqa: E402

MAPS = os.path.join(os.path.dirname(os.path.dirname(HERE)), "assets", "maps")


class LevelsTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.levels = []  # each shipped level with its camera
        for path in sorted(glob.glob(os.path.join(MAPS, "*.txt"))):
            level = level_source.parse(path)
            cls.levels.append((level, level_source.camera_of(level) or level_source.DEFAULT_EYE))

    def test_every_piece_shows_whole_when_its_level_starts(self):
        for level, eye in self.levels:
            with self.subTest(level.name):
                covered = ["%s %s %d%%" % (o["kind"], o["letter"], round(100 * share))
                           for o, share in level_source.covered_pieces(level, eye)]
                self.assertEqual(covered, [], "covered from the camera %s" % (eye,))

    def test_every_board_shows_whole_clear_of_the_texts_and_buttons(self):
        for level, eye in self.levels:
            with self.subTest(level.name):
                self.assertTrue(level_source.fits(eye, *level_source.view_of(level)), eye)

    def test_the_tutorial_step_texts_stand_on_empty_floor(self):
        level, eye = next(pair for pair in self.levels if pair[0].name == level_source.TUTORIAL)
        left, top, right, bottom = level_source.TUTORIAL_TEXT
        for lo, hi in level_source.wall_boxes(level) + [level_source.box(o) for o in level.objects]:
            steps = [max(1, int((hi[i] - lo[i]) * 4)) for i in range(3)]  # a point every quarter
            for n in itertools.product(*(range(count + 1) for count in steps)):
                p = tuple(lo[a] + (hi[a] - lo[a]) * n[a] / steps[a] for a in range(3))
                sx, sy = level_source.project(eye, p)
                self.assertFalse(left < sx < right and top < sy < bottom, (lo, hi))

    def test_a_wall_covers_what_stands_just_behind_it_from_the_eye(self):
        nest = ((0.0, 0.0, -0.5), (1.0, 0.2, 0.5))
        behind = ((-1.0, 0.0, -0.5), (0.0, 1.0, 0.5))  # a wall along the nest's -x side
        beside = ((0.0, 0.0, 0.5), (1.0, 1.0, 1.5))    # and one along its +z side
        cases = [  # wall, eye in the world, share of the nest covered
            # The line over the wall's edge from the game's usual eye meets
            # the nest's half height 0.9 x 10 / 24 = 0.375 in.
            (behind, (-10.0, 25.0, 0.0), 0.375),
            (behind, (-2.0, 25.0, 0.0), 0.075),   # looking down more steeply: a sliver
            (behind, (0.5, 25.0, 0.0), 0.0),      # straight above the nest
            (behind, (5.0, 25.0, 0.0), 0.0),      # the wall stands beyond the nest
            (beside, (0.5, 25.0, 10.0), 0.356),   # from that side
            (beside, (0.5, 25.0, -10.0), 0.0),    # from the other side
        ]
        for wall, eye, share in cases:
            with self.subTest(wall=wall, eye=eye):
                self.assertAlmostEqual(level_source.covered_share(eye, nest, [wall]), share, places=3)


if __name__ == "__main__":
    unittest.main()
