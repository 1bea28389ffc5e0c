/* The measuring stick for matinv's speed: the same dialogue and the same
 * Gauss-Jordan steps, written the way anyone would in an afternoon, with
 * scanf and printf and stdout left to the C library's buffering. Its output
 * on well-formed input must equal matinv's byte for byte. It stops with
 * status 1 when the input ends or is not a number, instead of looping. */
#include <math.h>
#include <stdio.h>
#include <string.h>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

static double a[10][20];
static double a0[10][20];
static int n;

static void row_op(int p, int r) {
    double ratio = a[p][p] / a[r][p];
    for (int k = 0; k < 2 * n; ++k) {
        a[r][k] = a[p][k] - a[r][k] * ratio;
    }
}

static int invert(void) {
    for (int i = 0; i < n; ++i) {
        double s = a[i][0];
        for (int j = 1; j < 2 * n; ++j) {
            if (fabs(a[i][j]) > s) {
                s = a[i][j];
            }
        }
        for (int j = 0; j < 2 * n; ++j) {
            a[i][j] = a[i][j] / s;
        }
    }
    for (int j = 0; j < n - 1; ++j) {
        for (int i = n - 1; i >= j + 1; --i) {
            if (fabs(a[i - 1][j]) < fabs(a[i][j])) {
                for (int k = 0; k < 2 * n; ++k) {
                    double t = a[i - 1][k];
                    a[i - 1][k] = a[i][k];
                    a[i][k] = t;
                }
            }
        }
        for (int r = j + 1; r < n; ++r) {
            if (a[r][j] != 0.0) {
                row_op(j, r);
            }
        }
    }
    for (int i = 0; i < n; ++i) {
        if (fabs(a[i][i]) < 1e-10) {
            return 0;
        }
    }
    for (int j = n - 1; j >= 1; --j) {
        for (int r = j - 1; r >= 0; --r) {
            if (a[r][j] != 0.0) {
                row_op(j, r);
            }
        }
    }
    for (int i = 0; i < n; ++i) {
        double d = a[i][i];
        for (int j = 0; j < 2 * n; ++j) {
            a[i][j] = a[i][j] / d;
        }
    }
    return 1;
}

/* "%.10f", with a NaN's sign written as glibc writes it: MinGW drops it. */
static void print_number(double x) {
    if (isnan(x)) {
        printf(signbit(x) ? "-nan\t" : "nan\t");
    } else {
        printf("%.10f\t", x);
    }
}

static void report(void) {
    printf("\n[A]=\n");
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            print_number(a0[i][j]);
        }
        printf("\n");
    }
    printf("\n[B]=\n");
    for (int i = 0; i < n; ++i) {
        for (int j = n; j < 2 * n; ++j) {
            print_number(a[i][j]);
        }
        printf("\n");
    }
    printf("\n[A][B]=\n");
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            double p = 0.0;
            for (int k = 0; k < n; ++k) {
                p = a0[i][k] * a[k][n + j] + p;
            }
            print_number(p);
        }
        printf("\n");
    }
}

int main(void) {
#ifdef _WIN32
    /* Text mode would end every line with "\r\n", where matinv writes "\n". */
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    for (;;) {
        memset(a, 0, sizeof a);
        memset(a0, 0, sizeof a0);
        printf("INPUT ORDER OF SQUARE MATRIX: ");
        if (scanf("%d", &n) != 1 || n > 10) {
            return 1;
        }
        for (int i = 0; i < n; ++i) {
            printf("INPUT");
            for (int j = 0; j < n; ++j) {
                printf(" a%d%d", i + 1, j + 1);
            }
            printf(": ");
            for (int j = 0; j < n; ++j) {
                double x;
                if (scanf("%lf", &x) != 1) {
                    return 1;
                }
                a[i][j] = x;
                a0[i][j] = x;
            }
            a[i][n + i] = 1.0;
        }
        if (!invert()) {
            printf("\nINVERSE MATRIX NOT EXIST!!\n");
            continue;
        }
        report();
        return 0;
    }
}
