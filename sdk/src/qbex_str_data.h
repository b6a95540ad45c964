/* Internal layout of the reference-counted text behind a qbex_str. */
#ifndef QBEX_STR_DATA_H
#define QBEX_STR_DATA_H

#include "qbex.h"

#include <stdatomic.h>

/* One block holds the count, the length and the zero-terminated UTF-16 text. The text never
 * changes after the block is filled, so sharing needs no copy-on-write. */
struct qbex_str_data {
    atomic_size_t refs;
    size_t length;
    qbex_char16 text[];
};

#if defined(__GNUC__) || defined(__clang__)
#define QBEX_INTERNAL __attribute__((visibility("hidden")))
#else
#define QBEX_INTERNAL
#endif

/* A new block with room for `length` code units and the terminating zero, count 1, length set,
 * terminator written; NULL when memory runs out or the size would overflow. */
QBEX_INTERNAL struct qbex_str_data* qbex_str_data_alloc(size_t length);

/* Shrinks a block to `length` code units (writes the terminator); keeps the block when the
 * allocator cannot shrink it. */
QBEX_INTERNAL struct qbex_str_data* qbex_str_data_shrink(struct qbex_str_data* data, size_t length);

/* Stores a filled block (count 1, owned by the caller) into the field, releasing the old text.
 * An empty block is freed and the field becomes NULL. */
QBEX_INTERNAL void qbex_str_data_store(qbex_str* field, struct qbex_str_data* data);

#endif /* QBEX_STR_DATA_H */
