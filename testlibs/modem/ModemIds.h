/* Resource ids of the Keelson modems and ports library. */
#pragma once
#define IDI_MODEM 1
#define IDI_PORT 2
#define IDD_SERIAL_PORTS 201
#define IDD_KEELSON_LINES 202
#define IDD_DIAL_TONE 203 /* listed for Custom diagnostics; run from Keelson itself, no page */
#define IDR_LINE_VALUES 300
#define IDR_KEELSON_SECTIONS 400
#define IDR_SYSTEM_SECTIONS 401
