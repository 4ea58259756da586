#!/usr/bin/perl
# The peer reader: Palm::PDB parsing a database file's PDB container (header, record list
# and every record as raw bytes), timed in-process. Prints the median in milliseconds.
use strict;
use warnings;
use Palm::PDB;
use Palm::Raw;    # takes any type and creator, keeping each record's bytes
use Time::HiRes qw(time);

my ($file, $runs) = @ARGV;
$runs ||= 5;
my @times;
for (1 .. $runs) {
    my $start = time;
    my $pdb = Palm::PDB->new;
    $pdb->Load($file);
    die "no records\n" unless @{ $pdb->{records} };
    push @times, (time - $start) * 1000;
}
@times = sort { $a <=> $b } @times;
printf "%.3f\n", $times[ int(@times / 2) ];
