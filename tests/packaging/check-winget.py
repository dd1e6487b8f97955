#!/usr/bin/env python3
"""The winget manifests that the package target writes (cmake/Winget.cmake):
each file is YAML, holds every field that the winget manifest schema of its
ManifestVersion requires, agrees with the others on the package and version,
and the installer manifest's InstallerSha256 is the built installer's.

Usage: check-winget.py WINGET_DIR INSTALLER [NSIS_SCRIPT]
With NSIS_SCRIPT (the project.nsi cpack made the installer from), the
uninstall entry named in the manifest is the one that script writes.
Exit 77 (skipped) while the installer or the manifests are not built.

The required fields below are the "required" arrays of the 1.12.0 schemas
(version, installer, defaultLocale) as written down from knowledge of them:
the schemas themselves are not downloaded here.
"""
import hashlib
import pathlib
import sys

import yaml

REQUIRED = {
    "1.12.0": {
        "version": ["PackageIdentifier", "PackageVersion", "DefaultLocale", "ManifestType", "ManifestVersion"],
        "installer": ["PackageIdentifier", "PackageVersion", "Installers", "ManifestType", "ManifestVersion"],
        # Each entry of Installers.
        "installer-entry": ["Architecture", "InstallerUrl", "InstallerSha256"],
        "defaultLocale": ["PackageIdentifier", "PackageVersion", "PackageLocale", "Publisher", "PackageName",
                          "License", "ShortDescription", "ManifestType", "ManifestVersion"],
    }
}
# What the NSIS installer's manifest must say besides (cmake/Winget.cmake).
INSTALLER_VALUES = {"InstallerType": "nullsoft", "Scope": "machine", "ElevationRequirement": "elevatesSelf"}

failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what)
    if not condition:
        failures.append(what)


def uninstall_entry(nsis_script):
    """The uninstall key's name and the DisplayName, DisplayVersion and
    Publisher values that the installer script writes."""
    entry = {}
    for line in nsis_script.read_text(encoding="utf-8", errors="replace").splitlines():
        words = line.split('"')
        if line.startswith("!define UNINSTALL_KEY") and len(words) > 1:
            entry["ProductCode"] = words[1].rsplit("\\", 1)[-1]
        elif line.strip().startswith("WriteRegStr HKLM \"${UNINSTALL_KEY}\"") and len(words) > 5:
            entry[words[3]] = words[5]
    return entry


def main(winget_dir, installer, nsis_script=None):
    winget_dir, installer = pathlib.Path(winget_dir), pathlib.Path(installer)
    if not installer.is_file() or not winget_dir.is_dir():
        print(f"skipped: {installer} or {winget_dir} is not built (target package)")
        return 77
    manifests = {}
    for path in sorted(winget_dir.glob("*.yaml")):
        try:
            document = yaml.safe_load(path.read_text(encoding="utf-8"))
        except yaml.YAMLError as error:
            check(False, f"{path.name} is YAML: {error}")
            continue
        check(isinstance(document, dict), f"{path.name} is a YAML mapping")
        if isinstance(document, dict):
            manifests[document.get("ManifestType")] = (path.name, document)
    check(sorted(manifests) == ["defaultLocale", "installer", "version"],
          f"one version, installer and defaultLocale manifest each (found {sorted(map(str, manifests))})")

    versions = {document.get("ManifestVersion") for _, document in manifests.values()}
    check(len(versions) == 1, f"one ManifestVersion in all files ({versions})")
    manifest_version = str(next(iter(versions)))
    required = REQUIRED.get(manifest_version)
    check(required is not None, f"the required fields of ManifestVersion {manifest_version} are known here")
    if required is None:
        return 1
    for kind, (name, document) in manifests.items():
        missing = [field for field in required[kind] if document.get(field) in (None, "", [])]
        check(not missing, f"{name} holds every required field (missing: {missing})")
    for field in ("PackageIdentifier", "PackageVersion"):
        values = {str(document.get(field)) for _, document in manifests.values()}
        check(len(values) == 1, f"one {field} in all files ({values})")

    if "installer" in manifests:
        name, document = manifests["installer"]
        entries = document.get("Installers") or []
        check(len(entries) == 1, f"{name} lists one installer")
        digest = hashlib.sha256(installer.read_bytes()).hexdigest().upper()
        for entry in entries:
            missing = [field for field in required["installer-entry"] if not entry.get(field)]
            check(not missing, f"the installer entry holds every required field (missing: {missing})")
            check(str(entry.get("InstallerSha256", "")).upper() == digest,
                  f"InstallerSha256 is the SHA-256 of {installer.name} ({digest})")
        for field, value in INSTALLER_VALUES.items():
            found = document.get(field) or (entries[0].get(field) if entries else None)
            check(found == value, f"{field} is {value} ({found})")
        check(document.get("InstallerSwitches", {}).get("Silent") == "/S", "the silent switch is /S")
        code = document.get("ProductCode")
        entries_af = document.get("AppsAndFeaturesEntries") or []
        check(bool(code) and all(e.get("ProductCode") == code for e in entries_af),
              f"AppsAndFeaturesEntries name the ProductCode {code}")
        check(all(str(e.get("DisplayVersion")) == str(document.get("PackageVersion")) for e in entries_af),
              "the uninstall entry's DisplayVersion is the package's version")
        if nsis_script is not None and pathlib.Path(nsis_script).is_file():
            written = uninstall_entry(pathlib.Path(nsis_script))
            for field in ("ProductCode", "DisplayName", "DisplayVersion", "Publisher"):
                check(all(str(e.get(field)) == written.get(field) for e in entries_af),
                      f"AppsAndFeaturesEntries' {field} is the installer's ({written.get(field)})")
    if failures:
        print(f"{len(failures)} failed")
        return 1
    return 0


if __name__ == "__main__":
    if len(sys.argv) not in (3, 4):
        print(__doc__)
        sys.exit(2)
    sys.exit(main(*sys.argv[1:]))
