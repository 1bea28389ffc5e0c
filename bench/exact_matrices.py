#!/usr/bin/env python3
"""Writes the order-10 matrices that bench/exact_run.sh times, each drawn
with a fixed seed, as matinv's input (NAME.txt) and as a PARI/GP script
(NAME.gp) that inverts the same matrix given as exact fractions and prints
the inverse and the determinant (GP inverts a matrix as 1/A; it has no
function named matinverse), with room to grow its stack. Usage: exact_matrices.py FOLDER NAME..."""
import os
import random
import sys
from fractions import Fraction


def integer(rng, digits):
    return str(rng.randint(10 ** (digits - 1), 10 ** digits - 1))


def signed(rng, text):
    return ("-" if rng.random() < 0.5 else "") + text


def entries(name):
    """The 100 entries of a class, as typed."""
    if name == "two_decimals":
        rng = random.Random(7)
        return ["%.2f" % rng.uniform(-100, 100) for _ in range(100)]
    if name == "hilbert17":
        return ["%.17g" % (1 / (i + j + 1)) for i in range(10) for j in range(10)]
    if name.startswith("integers"):
        digits = int(name[len("integers"):])
        rng = random.Random(digits)
        return [signed(rng, integer(rng, digits)) for _ in range(100)]
    if name.startswith("fractions"):
        digits = int(name[len("fractions"):])
        rng = random.Random(digits)
        return [signed(rng, integer(rng, digits) + "/" + integer(rng, digits))
                for _ in range(100)]
    sys.exit("exact_matrices.py: no class " + name)


folder = sys.argv[1]
for name in sys.argv[2:]:
    typed = entries(name)
    with open(os.path.join(folder, name + ".txt"), "w") as out:
        out.write("10 " + " ".join(typed) + "\n")
    exact = [str(Fraction(x)) for x in typed]
    rows = ";".join(",".join(exact[10 * i:10 * i + 10]) for i in range(10))
    with open(os.path.join(folder, name + ".gp"), "w") as out:
        # The inverse of long fractions needs more than gp's 8 MB stack.
        out.write("default(parisizemax, 2^30);\nA=[%s];\nB=1/A;\nprint(B);\nprint(matdet(A));\n"
                  % rows)
