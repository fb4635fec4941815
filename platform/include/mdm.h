/*
 * Device management policies, from the device settings
 * "db/private/mdm/available" and "db/private/mdm/text_messaging/<SIM id>"
 * ("peer" standing for "*", the paired phone).
 */
#ifndef MSG_PLATFORM_MDM_H
#define MSG_PLATFORM_MDM_H

#ifdef __cplusplus
extern "C" {
#endif

typedef enum {
    MDM_RESULT_SUCCESS = 0,
    MDM_RESULT_SERVICE_NOT_ENABLED = -1,
    MDM_RESULT_INVALID_PARAMETER = -2,
} mdm_result_t;

typedef enum {
    MDM_STATUS_ERROR = -1,
    MDM_ALLOWED = 0,
    MDM_RESTRICTED = 1,
} mdm_status_t;

mdm_result_t mdm_get_service(void);
mdm_result_t mdm_release_service(void);
/* MDM_STATUS_ERROR without the service or for a null SIM id. */
mdm_status_t mdm_get_allow_text_messaging(const char* sim_id);

#ifdef __cplusplus
}
#endif

#endif
