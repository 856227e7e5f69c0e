#pragma once
// Streamed rows turned into columns while they arrive: the reading thread
// copies the rows into batches, helper threads convert a full batch column
// by column while the next one is read, so converting overlaps the transfer.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/db.h"

namespace kob::data {

// One row's fields as the server sent them (GBK), in the order the fields
// were asked for; "" for NULL and for a field the result does not have.
using StreamedRow = std::span<const std::string_view>;

// Rows read from the server with their fields' bytes copied: a streamed row
// lives only until the next one is read.
class RowBatch {
  public:
    explicit RowBatch(size_t fields) : fields_(fields) {}
    size_t RowCount() const { return rows_; }
    // The bytes of all the batch's fields.
    size_t ByteCount() const { return bytes_.size(); }
    // Valid once the batch is sealed.
    StreamedRow Row(size_t row) const {
        return StreamedRow(views_.data() + row * fields_, fields_);
    }

  private:
    friend class BatchFiller;
    size_t fields_;
    size_t rows_ = 0;
    std::string bytes_;
    std::vector<std::pair<uint32_t, uint32_t>> offsets_;  // offset, length; fields_ a row
    std::vector<std::string_view> views_;  // into bytes_, made once the batch is complete
};

// What a streamed load does with its rows.
struct ColumnConversion {
    // How many columns the conversion fills: the helpers share them out.
    size_t columns = 0;
    // Each row as it is read, on the reading thread.
    std::function<void(StreamedRow row)> on_row;
    // On the reading thread, before a batch is handed over, while no helper
    // converts: room for its cells can be made here.
    std::function<void(const RowBatch& batch)> before_batch;
    // Converts one column of every row of a batch; called on a helper thread
    // (or on the reading thread for a small result), one column on one
    // thread at a time. scratch is a buffer of the calling thread's own.
    std::function<void(const RowBatch& batch, size_t column, std::string& scratch)> convert;
};

// Runs sql on session and converts its rows, the fields named by names
// (found by name once, in the result's column names). The number of rows, or
// Failed when the statement or the transfer failed: the rows handed over
// then count for nothing.
Rows StreamIntoColumns(SharedSession& session, std::string_view sql,
                       std::span<const std::string_view> names, const ColumnConversion& conversion);

}  // namespace kob::data
