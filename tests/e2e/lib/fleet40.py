"""A fleet of 45 wired units (kinds 0, 1, 4) for the search tests, and the device-list row
each unit must give: model text, kind, mask and gateway as the product derives them."""
import json
import sys

FIRST_NAMES = {0: "QM-110", 1: "QM-120", 2: "QM-130", 3: "QM-140", 4: "QM-150", 5: "QM-160", 6: "QM-170",
               8: "QM-210", 9: "QM-220", 10: "QM-210 V2", 11: "QM-230", 12: "QM-240", 17: "QM-310",
               19: "QM-320", 20: "QM-330", 21: "QM-340", 22: "QM-350", 25: "QM-N410", 26: "QM-N420",
               32: "QX-01"}
PORT = 10001


def unit(n, **fields):
    fields.setdefault("address", f"203.0.113.{n}")
    return fields


def expected(u):
    """The row the product must show for unit u of the fleet (versions not shown)."""
    model = u.get("model", 0)
    kind = u.get("kind", 0)
    pair = u.get("typePair", {0: "X1", 1: "X6", 4: "X5"}[kind])
    on_subnet = u["address"].startswith("203.0.113.")
    port_ok = u.get("port", PORT) == PORT
    queried = on_subnet and port_ok and u.get("modelAnswer") != "none"
    # A unit off the subnet is listed as its answer came: no records read, kind 0, port 0.
    row = {"ip": u["address"], "port": u.get("port", PORT) if on_subnet else 0, "sameSubnet": on_subnet}
    if not on_subnet:
        kind = 0
    if queried:
        if model > 16:
            kind = 4
        if model > 24:
            kind = 5
        name = FIRST_NAMES.get(model, "")
        if not name:
            text = pair
        elif kind == 1:
            text = f"{name}(G)"
        else:
            text = name
        row.update(modelIndex=model, unitSwitch=u.get("switch", 0))
    else:
        text = pair
        row.update(modelIndex=-1, unitSwitch=-1)
    row.update(model=text, kind=kind)
    if on_subnet and (queried or not port_ok):
        # The wired unit's records were read: its own mask and gateway, or the class mask for DHCP.
        if u.get("dhcp"):
            row.update(dhcp=True, subnetMask="255.255.255.0", gateway="0.0.0.0")
        else:
            row.update(dhcp=False, subnetMask=u.get("mask", "255.255.255.0"), gateway=u.get("gateway", "0.0.0.0"))
    else:
        row.update(subnetMask="0.0.0.0", gateway="0.0.0.0")
    return row


def fleet():
    units = []
    n = 10
    # Every model of the table, as the kind that speaks it, each on its own switch.
    for model in [0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12]:
        units.append(unit(n, kind=0, model=model, switch=model % 16, gateway="203.0.113.254"))
        n += 1
    for model in [17, 19, 20, 21, 22, 25, 26, 27, 32, 18, 24]:
        units.append(unit(n, kind=4, model=model, switch=(model + 3) % 16, mask="255.255.0.0",
                          gateway="203.0.113.1"))
        n += 1
    # Every type pair of the wired family, first generation models again.
    for pair, model in [("X2", 1), ("X4", 2), ("X5", 3), ("X9", 4), ("X6", 5)]:
        units.append(unit(n, kind=0, typePair=pair, model=model))
        n += 1
    # "X6" with "GC" firmware: kind 1.
    for model in [0, 2, 6]:
        units.append(unit(n, kind=1, model=model, firmware=f"GC{model}.10"))
        n += 1
    # More first-generation units: a fleet as an installation has them.
    for model in [0, 1, 3, 5, 6, 8]:
        units.append(unit(n, kind=0, model=model, switch=(model * 5) % 15, gateway="203.0.113.254"))
        n += 1
    # Special cases.
    units.append(unit(n, kind=0, model=3, port=10002)); n += 1                     # port differs
    units.append(unit(n, kind=0, model=4, modelAnswer="none")); n += 1            # never answers the query
    units.append(unit(n, kind=0, model=1, dhcp=True)); n += 1                     # DHCP
    units.append(unit(n, kind=0, model=2, switch=15)); n += 1                     # rotary switch F
    units.append(unit(n, kind=4, model=21, latencyMs=20)); n += 1                 # slow
    units.append(unit(0, kind=0, model=0, address="198.18.0.10", gateway="198.18.0.1"))  # other subnet
    units.append(unit(0, kind=4, model=19, address="198.18.0.11"))
    units.append(unit(n, kind=0, typePair="ZZ", model=0)); n += 1                # unlisted pair: never listed
    for i, u in enumerate(units):
        u["name"] = f"u{i}"
    return {"restartMs": 300, "units": units}


if __name__ == "__main__":
    f = fleet()
    if sys.argv[1] == "fleet":
        json.dump(f, sys.stdout, indent=1)
    else:
        rows = [expected(u) for u in f["units"] if u.get("typePair") != "ZZ"]
        json.dump(rows, sys.stdout, indent=1)
