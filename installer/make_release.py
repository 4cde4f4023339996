#!/usr/bin/python3
"""Makes the release from the two built programs: the setup program, the zip
for copying by hand and SHA256SUMS, the same bytes wherever and whenever the
same commit is built. Every time stamp is SOURCE_DATE_EPOCH (from the
environment, else the commit's time). With TESSARINE_SIGN_PFX and
TESSARINE_SIGN_PASSWORD in the environment it signs both programs, the
uninstaller and the setup program (Authenticode SHA-256, time-stamped where
TESSARINE_SIGN_TIMESTAMP_URL is given) and checks each signature.

  make_release.py release --version V --programs DIR --stage DIR --out DIR
                  --makensis PROGRAM --script NSI --text FILE...
  make_release.py sign EPOCH FILE  (signs one file; makensis calls it)
"""
import argparse
import calendar
import hashlib
import os
import shutil
import subprocess
import sys
import tempfile
import time
import zipfile

PROGRAMS = ("Tessarine.scr", "Tessarine.dll")
ZIP_EPOCH_MIN = calendar.timegm((1980, 1, 1, 0, 0, 0))  # a zip's earliest time


def source_date_epoch():
    if os.environ.get("SOURCE_DATE_EPOCH"):
        return int(os.environ["SOURCE_DATE_EPOCH"])
    here = os.path.dirname(os.path.abspath(__file__))
    try:
        out = subprocess.run(["git", "-C", here, "log", "-1", "--format=%ct"], capture_output=True, text=True,
                             check=True).stdout
        return int(out.strip())
    except (OSError, subprocess.CalledProcessError, ValueError):
        sys.exit("make_release: no SOURCE_DATE_EPOCH and no git commit to take it from")


def signing():
    """The certificate, its password and the time-stamp server, or None."""
    pfx = os.environ.get("TESSARINE_SIGN_PFX", "")
    if not pfx:
        return None
    if "TESSARINE_SIGN_PASSWORD" not in os.environ:
        sys.exit("make_release: TESSARINE_SIGN_PFX is set but TESSARINE_SIGN_PASSWORD is not")
    return pfx, os.environ["TESSARINE_SIGN_PASSWORD"], os.environ.get("TESSARINE_SIGN_TIMESTAMP_URL", "")


def run(command, **kwargs):
    result = subprocess.run(command, capture_output=True, text=True, **kwargs)
    if result.returncode != 0:
        sys.exit(f"make_release: {command[0]} {command[1]} failed:\n{result.stdout}{result.stderr}")


def sign(path, epoch):
    """Signs path in place, then verifies the signature against the
    certificate's own chain (and the system's authorities). The signing time
    is the commit's: the same certificate signs the same bytes alike."""
    pfx, password, timestamp_url = signing()
    with tempfile.TemporaryDirectory() as work:
        password_file = os.path.join(work, "password")
        with open(os.open(password_file, os.O_WRONLY | os.O_CREAT, 0o600), "w") as f:
            f.write(password)
        signed = os.path.join(work, "signed")
        command = ["osslsigncode", "sign", "-pkcs12", pfx, "-readpass", password_file, "-h", "sha256",
                   "-n", "Tessarine", "-time", str(epoch), "-in", path, "-out", signed]
        if timestamp_url:
            command += ["-ts", timestamp_url]
        run(command)
        trusted = os.path.join(work, "trusted.pem")
        run(["openssl", "pkcs12", "-in", pfx, "-nokeys", "-passin", "env:TESSARINE_SIGN_PASSWORD", "-out", trusted])
        system_authorities = "/etc/ssl/certs/ca-certificates.crt"
        if os.path.exists(system_authorities):
            with open(trusted, "ab") as out, open(system_authorities, "rb") as authorities:
                out.write(authorities.read())
        run(["osslsigncode", "verify", "-CAfile", trusted, "-in", signed])
        shutil.copyfile(signed, path)


def stage_files(programs_dir, picture, stage, epoch):
    """The programs (signed where asked) and the setup program's wizard
    picture, each with the commit's time: the setup program keeps the time of
    every file it carries."""
    shutil.rmtree(stage, ignore_errors=True)
    os.makedirs(stage)
    for source in [os.path.join(programs_dir, name) for name in PROGRAMS] + [picture]:
        staged = os.path.join(stage, os.path.basename(source))
        shutil.copyfile(source, staged)
        if signing() and staged.endswith(PROGRAMS):
            sign(staged, epoch)
        os.utime(staged, (epoch, epoch))


def make_setup(args, stage, setup, epoch):
    command = [args.makensis, "-V2", "-INPUTCHARSET", "UTF8", f"-DVERSION={args.version}",
               f"-DPROGRAMS={stage}", f"-DOUTFILE={setup}"]
    if signing():
        command.append(f'-DSIGN_UNINSTALLER="{sys.executable}" "{os.path.abspath(__file__)}" sign {epoch}')
    run(command + [args.script])
    if signing():
        sign(setup, epoch)


def make_zip(stage, texts, path, epoch):
    """Entries in a fixed order with fixed times and attributes, as a zip
    made on Windows has them (no owner, no Unix modes)."""
    stamp = time.gmtime(max(epoch, ZIP_EPOCH_MIN))[:6]
    files = [os.path.join(stage, name) for name in PROGRAMS] + texts
    with zipfile.ZipFile(path, "w") as archive:
        for file in files:
            entry = zipfile.ZipInfo(os.path.basename(file), stamp)
            entry.compress_type = zipfile.ZIP_DEFLATED
            entry.create_system = 0
            entry.external_attr = 0x20  # FILE_ATTRIBUTE_ARCHIVE
            with open(file, "rb") as f:
                archive.writestr(entry, f.read(), compresslevel=9)


def write_sums(out, names):
    lines = []
    for name in sorted(names):
        with open(os.path.join(out, name), "rb") as f:
            lines.append(f"{hashlib.sha256(f.read()).hexdigest()}  {name}\n")
    with open(os.path.join(out, "SHA256SUMS"), "w", newline="\n") as f:
        f.writelines(lines)


def release(args):
    epoch = source_date_epoch()
    base = f"Tessarine-{args.version}-win64"
    setup, archive = f"{base}-setup.exe", f"{base}.zip"
    picture = os.path.join(os.path.dirname(os.path.abspath(args.script)), "wizard.bmp")
    stage_files(args.programs, picture, args.stage, epoch)
    make_setup(args, os.path.abspath(args.stage), os.path.join(args.out, setup), epoch)
    make_zip(args.stage, args.text, os.path.join(args.out, archive), epoch)
    write_sums(args.out, [setup, archive])


def main():
    parser = argparse.ArgumentParser()
    commands = parser.add_subparsers(dest="command", required=True)
    make = commands.add_parser("release")
    for option in ("--version", "--programs", "--stage", "--out", "--makensis", "--script"):
        make.add_argument(option, required=True)
    make.add_argument("--text", nargs="+", default=[])
    one = commands.add_parser("sign")
    one.add_argument("epoch", type=int)
    one.add_argument("file")
    args = parser.parse_args()
    if args.command == "sign":
        sign(args.file, args.epoch)
    else:
        release(args)


if __name__ == "__main__":
    main()
