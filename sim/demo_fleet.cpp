#include "demo_fleet.h"

namespace sim {

const std::string& demoFleetText()
{
    // One unit per model of the model-name table (kinds 0, 1 and 4), then the odd cases, then a
    // unit behind a Wi-Fi module (kind 2), the text-protocol units, and from .80 on units for the
    // other-settings paths that the first ones leave out. From .87 on, binary units with a mail
    // account in their records (record 4: server, port, SMTP-AUTH, user, password; record 5: sender
    // and recipient 1) and DI masks; from .90 the QX units' mail dialogs (.91 holds a DO1 alert
    // record in registers 78h-7Bh). Kinds 5 and 7 (.62, .83) extend their inputs to each other over
    // connection 1, as do the binary units .94 and .95 through their records; .93 is a Wi-Fi unit
    // with the "-WIFIMASK" individual extension; .96 and .97 have a line console that cuts block 3
    // and one that ends after block 4. Analog units hold a sampling index
    // (register 49h) and AO initial values (registers 30h + 3n: kind, raw high, raw low).
    static const std::string text = R"json({
  "units": [
    { "name": "QM-110",    "kind": 0, "typePair": "X1", "address": "203.0.113.10", "model": 0, "switch": 0, "gateway": "203.0.113.1" },
    { "name": "QM-120",    "kind": 0, "typePair": "X2", "address": "203.0.113.11", "model": 1, "switch": 1 },
    { "name": "QM-130",    "kind": 0, "typePair": "X4", "address": "203.0.113.12", "model": 2, "switch": 2 },
    { "name": "QM-140",    "kind": 0, "typePair": "X5", "address": "203.0.113.13", "model": 3, "switch": 5 },
    { "name": "QM-150",    "kind": 0, "typePair": "X9", "address": "203.0.113.14", "model": 4 },
    { "name": "QM-160",    "kind": 0, "typePair": "X1", "address": "203.0.113.15", "model": 5 },
    { "name": "QM-170",    "kind": 0, "typePair": "X2", "address": "203.0.113.16", "model": 6 },
    { "name": "QM-210",    "kind": 0, "typePair": "X4", "address": "203.0.113.17", "model": 8, "registers": { "49": 2 } },
    { "name": "QM-220",    "kind": 0, "typePair": "X4", "address": "203.0.113.18", "model": 9,
      "registers": { "30": 0, "31": 64, "32": 0, "33": 1, "34": 25, "35": 153 } },
    { "name": "QM-210 V2", "kind": 0, "typePair": "X4", "address": "203.0.113.19", "model": 10, "registers": { "49": 4 } },
    { "name": "QM-230",    "kind": 0, "typePair": "X4", "address": "203.0.113.20", "model": 11,
      "registers": { "30": 0, "31": 192, "32": 0, "33": 0, "34": 0, "35": 0, "36": 1, "37": 127, "38": 255 } },
    { "name": "QM-240",    "kind": 0, "typePair": "X4", "address": "203.0.113.21", "model": 12, "registers": { "49": 1 } },
    { "name": "QM-130(G)", "kind": 1, "typePair": "X6", "address": "203.0.113.22", "model": 2, "firmware": "GC2.05" },
    { "name": "X6 without GC", "kind": 0, "typePair": "X6", "address": "203.0.113.23", "model": 6, "firmware": "V3.10" },
    { "name": "QM-310",    "kind": 4, "typePair": "X5", "address": "203.0.113.30", "model": 17 },
    { "name": "QM-320",    "kind": 4, "typePair": "X5", "address": "203.0.113.31", "model": 19 },
    { "name": "QM-330",    "kind": 4, "typePair": "X5", "address": "203.0.113.32", "model": 20 },
    { "name": "QM-340",    "kind": 4, "typePair": "X5", "address": "203.0.113.33", "model": 21 },
    { "name": "QM-350",    "kind": 4, "typePair": "X5", "address": "203.0.113.34", "model": 22 },
    { "name": "QM-N410",   "kind": 4, "typePair": "X9", "address": "203.0.113.40", "model": 25 },
    { "name": "QM-N420",   "kind": 4, "typePair": "X9", "address": "203.0.113.41", "model": 26 },
    { "name": "QM-N430",   "kind": 4, "typePair": "X9", "address": "203.0.113.42", "model": 27 },
    { "name": "QX-01",     "kind": 4, "typePair": "X9", "address": "203.0.113.43", "model": 32, "registers": { "49": 3 } },
    { "name": "other subnet", "kind": 0, "typePair": "X1", "address": "198.18.0.10", "model": 1, "gateway": "198.18.0.1" },
    { "name": "other port",   "kind": 0, "typePair": "X2", "address": "203.0.113.50", "model": 0, "port": 10002 },
    { "name": "no model answer", "kind": 0, "typePair": "X1", "address": "203.0.113.51", "model": 3, "modelAnswer": "none" },
    { "name": "switch F",     "kind": 0, "typePair": "X5", "address": "203.0.113.52", "model": 4, "switch": 15 },
    { "name": "DHCP",         "kind": 0, "typePair": "X1", "address": "203.0.113.53", "model": 5, "dhcp": true },
    { "name": "QM-120W",      "kind": 3, "address": "203.0.113.60", "model": 1, "text": { "sketchVersion": 127 } },
    { "name": "QM-150W old",  "kind": 3, "address": "203.0.113.61", "model": 4, "text": { "sketchVersion": 115 } },
    { "name": "QM-N410",      "kind": 5, "address": "203.0.113.62", "model": 25, "text": { "sketchVersion": 104,
      "parameters": { "E1USER": "line1-alert", "E1PASS": "Kv4!pass", "DO1_MD": 1, "DO2_MD": 2, "DO2_OT": 30,
        "HIP1": "203.0.113.83", "HPORT1": 10001, "HIP3": "203.0.113.63", "HPORT3": 10001, "DISCON": -1,
        "NOTICE": 30000, "DI1_EX": 0, "DI2_EX": 1, "DO1_EX": 0, "DO2_EX": 1 } } },
    { "name": "QM-N420 1.02", "kind": 5, "address": "203.0.113.63", "model": 26, "text": { "sketchVersion": 102 } },
    { "name": "QM-170 QX",    "kind": 6, "address": "203.0.113.64", "model": 6, "registers": { "49": 5 } },
    { "name": "QM-N110",      "kind": 7, "address": "203.0.113.65", "model": 0, "switch": 15 },
    { "name": "old Wi-Fi",    "kind": 3, "address": "203.0.113.66", "model": 2, "text": { "versionLines": 1 } },
    { "name": "Wi-Fi module", "kind": 2, "typePair": "Y1", "address": "203.0.113.70", "model": 2, "gateway": "203.0.113.1" },
    { "name": "QM-130W 0.99", "kind": 3, "address": "203.0.113.80", "model": 2, "text": { "sketchVersion": 99,
      "parameters": { "K_IDL": 45, "K_INT": 10, "K_CNT": 5, "SSID": "line-a" } } },
    { "name": "QM-140W 1.05", "kind": 3, "address": "203.0.113.81", "model": 3, "text": { "sketchVersion": 105 } },
    { "name": "QM-110W AP",   "kind": 3, "address": "203.0.113.82", "model": 0, "text": { "sketchVersion": 130,
      "parameters": { "E_RST": 1, "AP": 1, "AP_CH": 11, "SSID": "kovra-ap-82", "PASS": "ap-pass-8282" } } },
    { "name": "QM-N150",      "kind": 7, "address": "203.0.113.83", "model": 4, "switch": 3, "text": {
      "parameters": { "DO1_MD": 1, "DO3_MD": 2, "DO3_OT": 20, "KEEP_A": 24,
        "HIP1": "203.0.113.62", "HPORT1": 10001 } } },
    { "name": "QM-N420 Modbus", "kind": 5, "address": "203.0.113.84", "model": 26, "text": { "sketchVersion": 102,
      "parameters": { "SOCK": 3 } } },
    { "name": "QX-01 KOVRA4", "kind": 5, "address": "203.0.113.85", "model": 32, "registers": { "49": 6 } },
    { "name": "QM-350 DO modes", "kind": 4, "typePair": "X5", "address": "203.0.113.86", "model": 22,
      "registers": { "40": 30, "44": 1, "62": 15 } },
    { "name": "QM-170(G) mail", "kind": 1, "typePair": "X6", "address": "203.0.113.87", "model": 6, "firmware": "GC2.10",
      "records": {
        "4": "73 6D 74 70 2E 65 78 61 6D 70 6C 65 2E 6A 70 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 4B 02 01 6C 69 6E 65 2D 61 6C 65 72 74 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 4B 76 31 70 61 73 73",
        "5": "71 6D 31 37 30 67 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 65 78 61 6D 70 6C 65 2E 6A 70 00 00 00 00 00 00 00 00 00 00 00 00 00 00 6F 70 73 40 65 78 61 6D 70 6C 65 2E 6A 70" } },
    { "name": "QM-230 mail", "kind": 0, "typePair": "X4", "address": "203.0.113.88", "model": 11,
      "registers": { "43": 1, "44": 3 }, "records": { "4": "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 CB 00 71 01 19" } },
    { "name": "QM-340 mail", "kind": 4, "typePair": "X5", "address": "203.0.113.89", "model": 21,
      "registers": { "57": 129, "58": 1 } },
    { "name": "QM-110 QX mail", "kind": 6, "address": "203.0.113.90", "model": 0, "registers": { "49": 2 } },
    { "name": "QM-210 V2 QX mail", "kind": 6, "address": "203.0.113.91", "model": 10,
      "registers": { "49": 4, "78": 1, "79": 0, "7A": 12, "7B": 204 },
      "text": { "parameters": { "MHOST": "203.0.113.25", "MPORT": 25 } } },
    { "name": "QM-240 QX mail", "kind": 6, "address": "203.0.113.92", "model": 12, "registers": { "49": 1 },
      "text": { "parameters": { "MHOST": "0.0.0.0", "MPORT": 25 } } },
    { "name": "QM-160W mask", "kind": 3, "address": "203.0.113.93", "model": 5, "text": { "sketchVersion": 120 } },
    { "name": "QM-130(G) linked", "kind": 1, "typePair": "X6", "address": "203.0.113.94", "model": 2, "firmware": "GC2.05",
      "records": { "0": "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 C1 00 CB 00 71 5F 11 27", "3": "15 27 C0 00 00 00 00 00 00 00",
        "7": "16 27 C0" } },
    { "name": "QM-310 linked", "kind": 4, "typePair": "X5", "address": "203.0.113.95", "model": 17,
      "records": { "0": "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 C1 00 CB 00 71 5E 11 27" } },
    { "name": "console cut",  "kind": 0, "typePair": "X1", "address": "203.0.113.96", "model": 1,
      "fault": { "mode": "close", "requests": ["G3"] } },
    { "name": "four blocks",  "kind": 4, "typePair": "X5", "address": "203.0.113.97", "model": 17, "consoleBlocks": 4 }
  ]
})json";
    return text;
}

} // namespace sim
