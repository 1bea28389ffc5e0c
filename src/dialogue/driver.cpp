#include "dialogue/driver.h"

#include <string_view>

#include "dialogue/input_reader.h"
#include "dialogue/output_buffer.h"
#include "dialogue/report.h"
#include "dialogue/row_prompts.h"
#include "inversion/inversion.h"
#include "inversion/working_matrices.h"

namespace matinv {
namespace {

constexpr std::string_view kOrderPrompt = "INPUT ORDER OF SQUARE MATRIX: ";
constexpr std::string_view kNoInverse = "\nINVERSE MATRIX NOT EXIST!!\n";

// One line on the error stream, after all pending output, so that the line
// follows the prompt it answers.
class Complaint {
public:
    explicit Complaint(OutputBuffer& out, Sink& errors) : out_(out), line_(errors) {}

    Complaint& operator<<(std::string_view text) {
        line_.put(text);
        return *this;
    }
    Complaint& operator<<(int number) {
        line_.put_count(number);
        return *this;
    }
    int end() {
        out_.flush();
        line_.put_char('\n');
        line_.flush();
        return 1;
    }

private:
    OutputBuffer& out_;
    OutputBuffer line_;
};

int complain_about_order(OutputBuffer& out, Sink& errors, ReadStatus status, const char* text) {
    Complaint complaint(out, errors);
    complaint << "matinv: ";
    if (status == ReadStatus::ended) {
        complaint << "input ended while reading the order";
    } else {
        complaint << "expected the order, a whole number, but found " << text;
    }
    return complaint.end();
}

int complain_about_entry(OutputBuffer& out, Sink& errors, ReadStatus status, const char* text,
                         int i, int j) {
    Complaint complaint(out, errors);
    complaint << "matinv: ";
    if (status == ReadStatus::ended) {
        complaint << "input ended while reading entry a";
    } else {
        complaint << "expected a number for entry a";
    }
    complaint << i + 1 << j + 1 << " (row " << i + 1 << ", column " << j + 1 << ")";
    if (status == ReadStatus::not_a_number) {
        complaint << ", but found " << text;
    }
    return complaint.end();
}

int complain_about_capacity(OutputBuffer& out, Sink& errors, const char* text) {
    Complaint complaint(out, errors);
    complaint << "matinv: order " << text << " is above the limit of " << kMaxOrder;
    return complaint.end();
}

int finish(OutputBuffer& out, Sink& errors) {
    if (out.flush()) {
        return 0;
    }
    OutputBuffer line(errors);
    line.put("matinv: standard output could not be written\n");
    line.flush();
    return 1;
}

}  // namespace

int run_dialogue(Source& in, Sink& out_sink, Sink& errors) {
    OutputBuffer out(out_sink);
    InputReader reader(in, out);
    WorkingMatrices m;

    for (;;) {
        clear(m);
        out.put(kOrderPrompt);
        Order order;
        const ReadStatus order_status = reader.read_order(order);
        if (order_status != ReadStatus::ok) {
            return complain_about_order(out, errors, order_status, reader.last_text());
        }
        if (order.too_large || order.value > kMaxOrder) {
            return complain_about_capacity(out, errors, reader.last_text());
        }
        m.n = order.value;

        for (int i = 0; i < m.n; ++i) {
            out.put(kRowPrompts.get(m.n, i));
            for (int j = 0; j < m.n; ++j) {
                double x = 0.0;
                const ReadStatus status = reader.read_entry(x);
                if (status != ReadStatus::ok) {
                    return complain_about_entry(out, errors, status, reader.last_text(), i, j);
                }
                store_entry(m, i, j, x);
            }
            seed_identity(m, i);
        }

        if (invert(m.a, m.n) == Outcome::failure) {
            out.put(kNoInverse);
            continue;
        }
        write_report(out, m);
        return finish(out, errors);
    }
}

}  // namespace matinv
