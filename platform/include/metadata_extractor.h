/*
 * Reads what a media file holds: its length and whether it has sound or
 * pictures, without playing it.
 */
#ifndef MSG_PLATFORM_METADATA_EXTRACTOR_H
#define MSG_PLATFORM_METADATA_EXTRACTOR_H

#ifdef __cplusplus
extern "C" {
#endif

typedef struct metadata_extractor_s* metadata_extractor_h;

typedef enum {
    METADATA_EXTRACTOR_ERROR_NONE = 0,
    METADATA_EXTRACTOR_ERROR_OUT_OF_MEMORY = -12,
    METADATA_EXTRACTOR_ERROR_INVALID_PARAMETER = -22,
    METADATA_EXTRACTOR_ERROR_FILE_EXISTS = -17,
    METADATA_EXTRACTOR_ERROR_OPERATION_FAILED = -1003,
} metadata_extractor_error_e;

typedef enum {
    METADATA_DURATION = 0,  // milliseconds, as decimal text
    METADATA_HAS_VIDEO = 1, // number of video streams
    METADATA_HAS_AUDIO = 2, // number of audio streams
    METADATA_MIME_TYPE = 3, // the container's type, e.g. "audio/x-wav"
} metadata_extractor_attr_e;

int metadata_extractor_create(metadata_extractor_h* metadata);
// The file must exist; it is read on the first metadata_extractor_get_metadata.
int metadata_extractor_set_path(metadata_extractor_h metadata, const char* path);
// *value is a new string to free() (null when the file does not carry the attribute).
int metadata_extractor_get_metadata(metadata_extractor_h metadata, metadata_extractor_attr_e attribute,
                                    char** value);
int metadata_extractor_destroy(metadata_extractor_h metadata);

#ifdef __cplusplus
}
#endif

#endif
