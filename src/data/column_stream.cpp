#include "data/column_stream.h"

#include <algorithm>
#include <array>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace kob::data {
namespace {

constexpr size_t kBatchRows = 8192;
constexpr size_t kMaxHelpers = 4;

// Lets a fixed number of threads pass only together, again and again.
class PhaseGate {
  public:
    explicit PhaseGate(size_t threads) : threads_(threads) {}
    void ArriveAndWait() {
        std::unique_lock lock(mutex_);
        const size_t phase = phase_;
        if (++arrived_ == threads_) {
            arrived_ = 0;
            ++phase_;
            all_arrived_.notify_all();
            return;
        }
        all_arrived_.wait(lock, [&] { return phase_ != phase; });
    }

  private:
    std::mutex mutex_;
    std::condition_variable all_arrived_;
    const size_t threads_;
    size_t arrived_ = 0;
    size_t phase_ = 0;
};

}  // namespace

// Fills a RowBatch row by row and seals it.
class BatchFiller {
  public:
    static void Clear(RowBatch& batch) {
        batch.bytes_.clear();
        batch.offsets_.clear();
        batch.views_.clear();
        batch.rows_ = 0;
    }
    static void Add(RowBatch& batch, std::string_view field) {
        batch.offsets_.emplace_back(static_cast<uint32_t>(batch.bytes_.size()),
                                    static_cast<uint32_t>(field.size()));
        batch.bytes_.append(field);
    }
    static void EndRow(RowBatch& batch) { ++batch.rows_; }
    static void Seal(RowBatch& batch) {
        batch.views_.resize(batch.offsets_.size());
        const std::string_view bytes(batch.bytes_);
        for (size_t i = 0; i < batch.offsets_.size(); ++i) {
            batch.views_[i] = bytes.substr(batch.offsets_[i].first, batch.offsets_[i].second);
        }
    }
};

Rows StreamIntoColumns(SharedSession& session, std::string_view sql,
                       std::span<const std::string_view> names,
                       const ColumnConversion& conversion) {
    const size_t field_count = names.size();
    std::vector<int> at(field_count, -1);
    std::array<RowBatch, 2> batches{RowBatch(field_count), RowBatch(field_count)};
    size_t filling = 0;
    size_t current = 0;
    bool converting = false;
    bool finished = false;
    const size_t cores = std::max<size_t>(std::thread::hardware_concurrency(), 1);
    const size_t helpers = std::min({cores > 1 ? cores - 1 : 0, kMaxHelpers, conversion.columns});
    PhaseGate gate(helpers + 1);
    std::vector<std::thread> threads;
    auto convert = [&](const RowBatch& batch, size_t first_column, size_t step,
                       std::string& scratch) {
        for (size_t c = first_column; c < conversion.columns; c += step) {
            conversion.convert(batch, c, scratch);
        }
    };
    // Hands the full batch to the helpers (started with the first one) and
    // goes on filling the other.
    auto submit = [&] {
        BatchFiller::Seal(batches[filling]);
        if (threads.empty()) {
            for (size_t h = 0; h < helpers; ++h) {
                threads.emplace_back([&, h] {
                    std::string scratch;
                    for (;;) {
                        gate.ArriveAndWait();  // a batch is ready, or the rows are done
                        if (finished) {
                            return;
                        }
                        convert(batches[current], h, helpers, scratch);
                        gate.ArriveAndWait();
                    }
                });
            }
        }
        if (converting) {
            gate.ArriveAndWait();  // the batch before is converted
        }
        // The helpers idle: what before_batch allocates comes from this
        // thread's heap, which a trim gives back whole, not from the
        // helpers' own arenas, which keep what they had.
        if (conversion.before_batch) {
            conversion.before_batch(batches[filling]);
        }
        current = filling;
        gate.ArriveAndWait();  // the helpers take batches[current]
        converting = true;
        filling = 1 - filling;
        BatchFiller::Clear(batches[filling]);
    };
    std::vector<std::string_view> raw(field_count);
    const Rows rows = session.StreamQuery(
        sql,
        [&](const std::vector<std::string>& columns) {
            for (size_t i = 0; i < field_count; ++i) {
                for (size_t c = 0; c < columns.size(); ++c) {
                    if (SameColumnName(columns[c], names[i])) {
                        at[i] = static_cast<int>(c);
                        break;
                    }
                }
            }
        },
        [&](char** fields, unsigned long* lengths) {
            RowBatch& batch = batches[filling];
            for (size_t i = 0; i < field_count; ++i) {
                const char* field = at[i] >= 0 ? fields[at[i]] : nullptr;
                const size_t length = field ? lengths[at[i]] : 0;
                raw[i] = std::string_view(field ? field : "", length);
                BatchFiller::Add(batch, raw[i]);
            }
            BatchFiller::EndRow(batch);
            if (conversion.on_row) {
                conversion.on_row(StreamedRow(raw));
            }
            if (batch.RowCount() == kBatchRows && helpers > 0) {
                submit();
            }
        });
    if (threads.empty()) {
        // A small result (or one core): converted here, in one go.
        BatchFiller::Seal(batches[filling]);
        std::string scratch;
        convert(batches[filling], 0, 1, scratch);
    } else {
        if (batches[filling].RowCount() > 0) {
            submit();
        }
        gate.ArriveAndWait();  // the last batch is converted
        finished = true;
        gate.ArriveAndWait();
        for (auto& thread : threads) {
            thread.join();
        }
    }
    return rows;
}

}  // namespace kob::data
