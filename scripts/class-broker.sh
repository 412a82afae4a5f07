#!/usr/bin/env bash
# Starts the class's broker (Debian's mosquitto) in DIR with the project's
# configuration: scripts/class-broker.sh DIR [PUPIL_MQTT PUPIL_WS TEACHER_MQTT TEACHER_WS]
# Ports given on the command line listen on 127.0.0.1 only (the tests'); the
# teacher's password is TAMSEL_TEACHER_PASSWORD, or one made up and printed.
set -euo pipefail
dir=$1
shift
here=$(cd "$(dirname "$0")/../broker" && pwd)
mkdir -p "$dir"
cp "$here/pupils.acl" "$here/teachers.acl" "$dir/"
defaults=(1883 8083 1884 8084)
sed_args=()
if [ $# -eq 4 ]; then
    ports=("$@")
    for i in 0 1 2 3; do
        sed_args+=(-e "s/^listener ${defaults[$i]}\$/listener ${ports[$i]} 127.0.0.1/")
    done
fi
sed "${sed_args[@]}" "$here/tamsel-class.conf" > "$dir/tamsel-class.conf"
# Started by hand it stays the user who started it (as root it would turn into
# the mosquitto user, who cannot read this folder).
echo "user $(id -un)" >> "$dir/tamsel-class.conf"
password=${TAMSEL_TEACHER_PASSWORD:-}
if [ -z "$password" ]; then
    password=$(head -c 9 /dev/urandom | base64 | tr '/+' 'xy')
    echo "Teacher: user name 'teacher', password '$password'"
fi
rm -f "$dir/teachers.passwd"
mosquitto_passwd -c -b "$dir/teachers.passwd" teacher "$password"
chmod 600 "$dir/teachers.passwd"
cd "$dir"
exec mosquitto -c tamsel-class.conf
