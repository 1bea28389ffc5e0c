#!/usr/bin/env python3
"""The yardstick for matinv --exact: reads a matrix as matinv does (its
order, then its entries, decimals or fractions), inverts it by a textbook
Gauss-Jordan elimination in Python's exact fractions, and prints the
inverse as matinv prints [B]: each row's numbers followed by a tab."""
import sys
from fractions import Fraction

# Inverses of long fractions run to more digits than Python 3.11 writes by
# default.
if hasattr(sys, "set_int_max_str_digits"):
    sys.set_int_max_str_digits(0)
words = sys.stdin.read().split()
n = int(words[0])
a = [[Fraction(w) for w in words[1 + i * n : 1 + (i + 1) * n]]
     + [Fraction(int(i == j)) for j in range(n)] for i in range(n)]
for c in range(n):
    p = next((r for r in range(c, n) if a[r][c] != 0), None)
    if p is None:
        sys.exit("the matrix has no inverse")
    a[c], a[p] = a[p], a[c]
    pivot = a[c][c]
    a[c] = [x / pivot for x in a[c]]
    for r in range(n):
        factor = a[r][c]
        if r != c and factor != 0:
            a[r] = [x - factor * y for x, y in zip(a[r], a[c])]
for row in a:
    print("".join(f"{x}\t" for x in row[n:]))
