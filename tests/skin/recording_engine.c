/* A stand-in skin engine for the tests: its SkinH_AttachRes keeps what it
   was given (the data copied, since the caller releases it after the call),
   and recordedCall hands the record to the test. */
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

struct RecordedCall {
    int calls;
    const void* address;
    int32_t length;
    unsigned char* bytes;
    int textIsNull;
    char text[32];
    int32_t integers[3];
};

static struct RecordedCall recorded;

__attribute__((visibility("default"))) int32_t SkinH_AttachRes(const unsigned char* data,
                                                               int32_t length, const char* text,
                                                               int32_t a, int32_t b, int32_t c) {
    free(recorded.bytes);
    recorded.bytes = NULL;
    recorded.calls += 1;
    recorded.address = data;
    recorded.length = length;
    if (data != NULL && length > 0) {
        recorded.bytes = malloc((size_t)length);
        if (recorded.bytes != NULL) memcpy(recorded.bytes, data, (size_t)length);
    }
    recorded.textIsNull = text == NULL;
    recorded.text[0] = '\0';
    if (text != NULL) strncpy(recorded.text, text, sizeof recorded.text - 1);
    recorded.integers[0] = a;
    recorded.integers[1] = b;
    recorded.integers[2] = c;
    return 0;
}

__attribute__((visibility("default"))) const struct RecordedCall* recordedCall(void) {
    return &recorded;
}
