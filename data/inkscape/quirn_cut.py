#!/usr/bin/env python3
"""Inkscape's "Cut with Quirn...": hands the open drawing to quirn-cut and shows its messages."""

import os
import shutil
import subprocess
import tempfile

import inkex

# quirn-cut's exit status when the user cancelled in the controller or pressed Ctrl-C.
CANCELLED = (1, 130)


def messages_of(errors):
    """quirn-cut's messages without its progress lines, which only count bytes."""
    return "\n".join(line for line in errors.splitlines() if " bytes sent (" not in line)


class CutWithQuirn(inkex.EffectExtension):
    """Saves the drawing as it is open and cuts it; the drawing itself is left unchanged."""

    def add_arguments(self, pars):
        pars.add_argument("--overcut", type=float, default=0.0)
        pars.add_argument("--switch_command_set", type=inkex.Boolean, default=True)

    def effect(self):
        program = shutil.which("quirn-cut") or "/usr/bin/quirn-cut"
        with tempfile.TemporaryDirectory(prefix="quirn-cut-") as folder:
            drawing = os.path.join(folder, "drawing.svg")
            self.document.write(drawing)
            command = [program, "--overcut", str(self.options.overcut)]
            if self.options.switch_command_set:
                command.append("--switch-command-set")
            command.append(drawing)
            try:
                run = subprocess.run(command, stdin=subprocess.DEVNULL,
                                     capture_output=True, text=True, check=False)
            except OSError as error:
                raise inkex.AbortExtension(f"Cannot start {program}: {error}") from error
        said = messages_of(run.stderr)
        if run.returncode not in (0,) + CANCELLED:
            raise inkex.AbortExtension(said or f"quirn-cut ended with {run.returncode}")
        if said:
            inkex.errormsg(said)


if __name__ == "__main__":
    CutWithQuirn().run()
