/* Reference-counted UTF-16 text shared by the host and its plug-ins. */
#include "qbex_str_data.h"

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

static const qbex_char16 s_empty[1] = {0};

struct qbex_str_data* qbex_str_data_alloc(size_t length) {
    const size_t header = offsetof(struct qbex_str_data, text);
    if (length > (SIZE_MAX - header) / sizeof(qbex_char16) - 1) {
        return NULL;
    }
    struct qbex_str_data* data = malloc(header + (length + 1) * sizeof(qbex_char16));
    if (data == NULL) {
        return NULL;
    }
    atomic_init(&data->refs, 1);
    data->length = length;
    data->text[length] = 0;
    return data;
}

struct qbex_str_data* qbex_str_data_shrink(struct qbex_str_data* data, size_t length) {
    data->length = length;
    data->text[length] = 0;
    struct qbex_str_data* smaller =
        realloc(data, offsetof(struct qbex_str_data, text) + (length + 1) * sizeof(qbex_char16));
    return smaller != NULL ? smaller : data;
}

static void qbex_str_release(struct qbex_str_data* data) {
    if (data == NULL) {
        return;
    }
    /* The last owner frees; release order makes every earlier owner's reads happen before. */
    if (atomic_fetch_sub_explicit(&data->refs, 1, memory_order_acq_rel) == 1) {
        free(data);
    }
}

void qbex_str_data_store(qbex_str* field, struct qbex_str_data* data) {
    if (data != NULL && data->length == 0) {
        free(data);
        data = NULL;
    }
    struct qbex_str_data* old = *field;
    *field = data;
    qbex_str_release(old);
}

int qbex_str_assign_utf16(qbex_str* field, const qbex_char16* text, size_t length) {
    if (length == QBEX_ZERO_TERMINATED) {
        length = 0;
        if (text != NULL) {
            while (text[length] != 0) {
                ++length;
            }
        }
    }
    if (length == 0 || text == NULL) {
        qbex_str_free(field);
        return 1;
    }
    struct qbex_str_data* data = qbex_str_data_alloc(length);
    if (data == NULL) {
        return 0;
    }
    memcpy(data->text, text, length * sizeof(qbex_char16));
    qbex_str_data_store(field, data);
    return 1;
}

void qbex_str_copy(qbex_str* field, qbex_str source) {
    /* Take the new reference before dropping the old one: source may be the field's own text. */
    if (source != NULL) {
        atomic_fetch_add_explicit(&source->refs, 1, memory_order_relaxed);
    }
    struct qbex_str_data* old = *field;
    *field = source;
    qbex_str_release(old);
}

void qbex_str_free(qbex_str* field) {
    struct qbex_str_data* old = *field;
    *field = NULL;
    qbex_str_release(old);
}

const qbex_char16* qbex_str_text(qbex_str value) {
    return value != NULL ? value->text : s_empty;
}

size_t qbex_str_length(qbex_str value) {
    return value != NULL ? value->length : 0;
}

void qbex_free(void* memory) {
    free(memory);
}

void qbex_record_free_strings(QBEX_RECORD* record) {
    if (record->version < 1) {
        return;
    }
    qbex_str* v1[] = {&record->name,     &record->rtype,    &record->wpt,  &record->diff,
                      &record->terr,     &record->owner,    &record->cont, &record->descr,
                      &record->hints,    &record->past_log, &record->url,  &record->img_urls,
                      &record->log_notes};
    for (size_t i = 0; i < sizeof v1 / sizeof v1[0]; ++i) {
        qbex_str_free(v1[i]);
    }
    if (record->version >= 2) {
        qbex_str_free(&record->bugs);
    }
    if (record->version >= 3) {
        qbex_str_free(&record->custom1);
        qbex_str_free(&record->custom2);
        qbex_str_free(&record->custom3);
        qbex_str_free(&record->find_rat);
    }
}
