"""Runs a Linux sound test against a private PulseAudio server whose null sink
plays on the wall clock. The test reads what the server played from the rig's
recording (SNOWGIG_TEST_CAPTURE) as it grows.
    play_on_server.py TEST_PROGRAM [ARGUMENTS...]"""
import subprocess
import sys

import snowrig


def main():
    with snowrig.Rig(screen="320x240", clocked_sound=True, name="sound-server",
                     native=True) as rig:
        env = dict(rig.env, SNOWGIG_TEST_CAPTURE=rig.sound_path)
        env.pop("SDL_AUDIODRIVER", None)
        env.pop("SNOWGIG_SOUND_OUTPUT", None)
        result = subprocess.run(sys.argv[1:], env=env, timeout=100)
    sys.exit(result.returncode)


if __name__ == "__main__":
    main()
